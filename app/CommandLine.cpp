#include "app/CommandLine.h"

#include "platform/Platform.h"
#include "services/Quietly.h"

namespace vantrel {

bool DispatchVerb(const std::wstring&) { return false; }

void RestartWithVerb(const std::wstring& verb) {
  Quietly([&] {
    const std::wstring exe =
        Os().system->ApplicationFolder() + L"\\" + Os().system->ExecutableBaseName() + L".exe";
    Os().shell->StartProcess(L"\"" + exe + L"\" " + verb, false);
  });
}

}  // namespace vantrel
