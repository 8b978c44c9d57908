#include "runlog/RunLog.h"

#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/Paths.h"
#include "services/Quietly.h"

namespace vantrel {

std::wstring FormatLogRecord(const LogRecord& r) {
  const std::wstring bar = L"|";
  return std::to_wstring(r.status) + bar + r.start + bar + r.end + bar + std::to_wstring(r.elapsedSeconds) + bar +
         r.letter + bar + r.volumeName + bar + r.fileSystem + bar + std::to_wstring(r.serial) + bar +
         std::to_wstring(r.cleaningMode) + bar + std::to_wstring(r.ntfsMode);
}

bool PrependLogLine(const std::wstring& record) {
  return Quietly(false, [&] {
    FileSystem& fs = *Os().files;
    const std::wstring log = Env().DataFolder + L"\\log.txt";
    const std::wstring scratch = Env().DataFolder + L"\\temp.log";
    const std::string line = Os().codec->Encode(Os().codec->AnsiCodePage(), record) + "\r\n";
    if (!FileExists(log)) return fs.WriteAll(log, line);
    std::string old;
    if (!fs.ReadAll(log, old)) return false;
    // The old records line by line, each ending in CR LF as the file's format says.
    std::string copy = line;
    std::size_t start = 0;
    while (start < old.size()) {
      std::size_t end = old.find('\n', start);
      if (end == std::string::npos) end = old.size();
      std::string piece = old.substr(start, end - start);
      if (!piece.empty() && piece.back() == '\r') piece.pop_back();
      copy += piece + "\r\n";
      start = end + 1;
    }
    return fs.WriteAll(scratch, copy) && fs.MoveReplace(scratch, log);
  });
}

}  // namespace vantrel
