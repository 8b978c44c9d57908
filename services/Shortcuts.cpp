#include "services/Shortcuts.h"

#include "platform/Platform.h"
#include "services/AnsiText.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

// Made by the install job, whose other steps must still run: a fault is a
// shortcut not made.
bool MakeShortcut(const std::wstring& linkFile, const std::wstring& target,
                  const std::wstring& description, const std::wstring& workingFolder,
                  const std::wstring& arguments, const std::wstring& iconLocation) {
  return IgnoringFailures(false, [&] {
    return Os().shell->CreateShortcut({linkFile, target, description, workingFolder, arguments, iconLocation});
  });
}

bool WriteUrlShortcut(const std::wstring& file, const std::wstring& url,
                      const std::wstring& iconIndex, const std::wstring& iconFile) {
  return IgnoringFailures(false, [&] {
    const std::wstring text = L"[InternetShortcut]\r\nURL=" + url + L"\r\nIconIndex=" + iconIndex +
                              L"\r\nIconFile=" + iconFile + L"\r\n";
    return Os().files->WriteAll(file, ToAnsi(text));
  });
}

}  // namespace vantrel
