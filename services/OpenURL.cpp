#include "services/OpenURL.h"

#include <algorithm>

#include "platform/Platform.h"
#include "services/IgnoringFailures.h"
#include "services/Paths.h"
#include "services/RegistryHelpers.h"

namespace vantrel {

namespace {
const std::wstring kHandlerKey = L"HKEY_CLASSES_ROOT\\HTTP\\shell\\open\\command\\";
const std::wstring kExplorer = L"C:\\Program Files\\Internet Explorer\\iexplore.exe";
constexpr intptr_t kLastShellError = 32;
}  // namespace

void OpenURL(const std::wstring& url) {
  IgnoringFailures([&] {
    // A missing handler key ends here without a word, as an unreadable one does.
    const auto handler = ShellRegistryRead(kHandlerKey);
    if (!handler) return;
    std::wstring command = *handler;
    command.erase(std::remove(command.begin(), command.end(), L'"'), command.end());
    if (!command.empty() && Os().shell->OpenDocument(url) <= kLastShellError) command.clear();
    if (!command.empty()) return;
    if (FileExists(kExplorer)) {
      Os().shell->StartProcess(L"\"" + kExplorer + L"\" \"" + url + L"\"", false);
    } else {
      MsgBox(L"ERROR! Can't find browser to open the following URL:\r\n" + url, mb::Exclamation);
    }
  });
}

}  // namespace vantrel
