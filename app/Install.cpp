#include "app/Install.h"

#include <chrono>
#include <string_view>

#include "app/Installation.h"
#include "lang/Language.h"
#include "maker/ServiceUrl.h"
#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"
#include "services/RegistryHelpers.h"
#include "services/Settings.h"
#include "services/Shortcuts.h"

namespace vantrel {

namespace {

// The menu folder holds only what an installation of this major version put
// there: emptying it first is what keeps a reinstallation from leaving two
// sets of shortcuts. Links go as links: a link in the folder's place leads
// to somebody else's files, which emptying would delete, and a shortcut
// saved over a link among the old entries would be written into its target.
void PrepareMenuFolder(const std::wstring& folder) {
  IgnoringFailures([&] {
    FileSystem& fs = *Os().files;
    if (fs.IsLink(folder) && !fs.RemoveLink(folder)) return;
    fs.CreateFolder(folder);
    for (const std::wstring& name : fs.ListFiles(folder)) fs.RemoveFile(folder + L"\\" + name);
    for (const std::wstring& name : fs.ListLinks(folder)) fs.RemoveLink(folder + L"\\" + name);
  });
}

// A shortcut's name comes from the language file: without the characters a
// file name cannot hold, a translation such as "Updates?" still names a
// file, and one holding "..\" cannot put a file outside the menu folder.
std::wstring FileName(std::wstring text) {
  std::erase_if(text, [](wchar_t ch) {
    return ch < 32 || std::wstring_view(L"\\/:*?\"<>|").find(ch) != std::wstring_view::npos;
  });
  return text;
}

void RememberInstallDate() {
  using namespace std::chrono;
  const year_month_day today{floor<days>(sys_seconds{seconds{Os().clock->NowSeconds()}})};
  WriteSetting(kInstallSettings, L"VNL", L"Reload-Month", std::to_wstring(static_cast<unsigned>(today.month())));
  WriteSetting(kInstallSettings, L"VNL", L"Reload-Year", std::to_wstring(static_cast<int>(today.year())));
}

// The command names the executable that runs now, wherever the installer
// put it, quoted as it stands: a short name need not exist (they can be
// switched off), and a path with blanks would be split at the first.
std::wstring UninstallCommand(const Installation& at) { return L"\"" + at.exe + L"\" uninstall"; }

}  // namespace

void InstallJob() {
  const bool before = !ReadSetting(kInstallSettings, L"VNL", L"Reload-Month").empty();
  ServiceUrl(before ? L"reinstall" : L"install", L"", false);

  const Installation at = ThisInstallation();
  MakeShortcut(at.desktopLink, at.exe, L"", at.appFolder, L"", L"");
  PrepareMenuFolder(at.menuFolder);
  MakeShortcut(at.menuFolder + L"\\" + at.name + L".lnk", at.exe, L"", at.appFolder, L"", L"");
  WriteUrlShortcut(at.menuFolder + L"\\" + FileName(LangText(L"SHORTCUTS", L"TOSITE")) + L".url",
                   ServiceUrl(L"site", L"", true), L"", L"");
  MakeShortcut(at.menuFolder + L"\\" + FileName(LangText(L"SHORTCUTS", L"CHECK-UPD")) + L".lnk", at.exe, L"",
               at.appFolder, L"updates", L"");
  RememberInstallDate();
  // Without its own path the program could name no command: an entry then
  // would be one the list could not remove it by.
  if (at.appFolder.empty() || at.exeName.empty()) return;
  RegistryWrite(at.entryKey, L"UninstallString", UninstallCommand(at), 1);
  RegistryWrite(at.entryKey, L"DisplayName", L"Vantrel " + Env().ProgramVersion, 1);
}

}  // namespace vantrel
