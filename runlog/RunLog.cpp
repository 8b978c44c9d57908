#include "runlog/RunLog.h"

#include <algorithm>
#include <vector>

#include "platform/Platform.h"
#include "services/AnsiText.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"
#include "services/Paths.h"

namespace vantrel {

std::wstring FormatLogRecord(const LogRecord& r) {
  const std::wstring bar = L"|";
  return std::to_wstring(r.status) + bar + r.start + bar + r.end + bar + std::to_wstring(r.elapsedSeconds) + bar +
         r.letter + bar + r.volumeName + bar + r.fileSystem + bar + std::to_wstring(r.serial) + bar +
         std::to_wstring(r.cleaningMode) + bar + std::to_wstring(r.ntfsMode);
}

namespace {

// The lines of a text, each ending in CR LF as the log's format says.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string piece = text.substr(start, end - start);
    if (!piece.empty() && piece.back() == '\r') piece.pop_back();
    lines.push_back(piece + "\r\n");
    start = end + 1;
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line;
  return text;
}

// Written through to the disk before it replaces the log, so a power loss
// leaves the old log or the new one, never an empty file.
bool WriteDurably(const std::wstring& path, const std::string& bytes) {
  std::unique_ptr<OutputFile> out = Os().files->Create(path);
  if (!out) return false;
  const bool written = out->Write(bytes) && out->Flush();
  return out->Close() && written;
}

}  // namespace

Logged PrependLogLine(const std::wstring& record) {
  const std::wstring pending = Env().DataFolder + L"\\" + kPendingLogName;
  const std::string line = ToAnsi(record) + "\r\n";
  // A fault on the way leaves the old log whole: the record waits.
  const bool done = IgnoringFailures(false, [&] {
    FileSystem& fs = *Os().files;
    const std::wstring log = Env().DataFolder + L"\\log.txt";
    const std::wstring scratch = Env().DataFolder + L"\\temp.log";
    // The history is replaced only by a copy of all of it.
    std::string old;
    if (FileExists(log) && !fs.ReadAll(log, old)) return false;
    std::string waiting;
    const bool hasPending = FileExists(pending);
    if (hasPending && !fs.ReadAll(pending, waiting)) return false;
    // Waiting records are kept oldest first; the log is newest first.
    std::vector<std::string> waitingLines = Lines(waiting);
    std::reverse(waitingLines.begin(), waitingLines.end());
    if (!WriteDurably(scratch, line + Joined(waitingLines) + Joined(Lines(old))) || !fs.MoveReplace(scratch, log))
      return false;
    if (hasPending) fs.RemoveFile(pending);
    return true;
  });
  if (done) return Logged::OnTop;
  // A record that could not go on top waits for the next one.
  return IgnoringFailures(false, [&] { return Os().files->AppendAll(pending, line); }) ? Logged::Waiting
                                                                                      : Logged::Lost;
}

}  // namespace vantrel
