#include "services/Checkpoint.h"

#include "platform/Platform.h"
#include "services/AnsiText.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"
#include "services/Paths.h"

namespace vantrel {

std::wstring CheckpointFile() { return Env().DataFolder + L"\\fileerror.txt"; }

void SetCheckpoint(const std::wstring& name) {
  IgnoringFailures([&] {
    const std::wstring file = CheckpointFile();
    if (!name.empty()) {
      const std::wstring record = L"x|ver:" + Env().ProgramVersion + L"|" + name + L"\r\n";
      Os().files->WriteAll(file, ToAnsi(record));
    } else if (FileExists(file)) {
      Os().files->RemoveFile(file);
    }
  });
}

}  // namespace vantrel
