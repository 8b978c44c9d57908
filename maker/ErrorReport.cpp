#include "maker/ErrorReport.h"

#include <optional>

#include "lang/Language.h"
#include "maker/ServiceUrl.h"
#include "platform/Platform.h"
#include "services/AnsiText.h"
#include "services/Checkpoint.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"
#include "services/Paths.h"
#include "services/RunLock.h"
#include "services/TextLines.h"

namespace vantrel {

namespace {

// Nothing when the list exists but cannot be read: then nobody can tell, and
// nothing is asked.
std::optional<bool> AlreadyReported(const std::string& record) {
  const std::wstring list = ReportedErrorsFile();
  if (!FileExists(list)) return false;
  std::string bytes;
  if (!Os().files->ReadAll(list, bytes)) return std::nullopt;
  for (std::size_t at = 0; at <= bytes.size();) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == record) return true;
    at = end + 1;
  }
  return false;
}

}  // namespace

std::wstring ReportedErrorsFile() { return Env().DataFolder + L"\\was_errors.txt"; }

void OfferErrorReport() {
  IgnoringFailures([] {
    const std::wstring trace = CheckpointFile();
    // While another copy runs, the trace may be that run's step in work and
    // no failure at all; a start after the run still finds a real one.
    if (!FileExists(trace) || RunGoing()) return;
    std::string bytes;
    const bool read = Os().files->ReadAll(trace, bytes);
    // Deleted first, so that the offer comes at most once per trace.
    Os().files->RemoveFile(trace);
    if (!read) return;
    const std::string record = FirstLine(bytes);
    const auto reported = AlreadyReported(record);
    if (!reported || *reported) return;
    if (MsgBox(LangText(L"ERRORS", L"SEND-ERROR-REPORT-NOW"), mb::YesNo | mb::Exclamation) == mb::Yes) {
      Os().files->AppendAll(ReportedErrorsFile(), record + "\r\n");
      ServiceUrl(L"bugs", L"&info=" + FromAnsi(record), false);
    }
    if (!Env().IsAdmin) MsgBox(LangText(L"ERRORS", L"RUN-AS-ADMIN"), mb::Information);
  });
}

}  // namespace vantrel
