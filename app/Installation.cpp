#include "app/Installation.h"

#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

Installation ThisInstallation() {
  Installation at;
  IgnoringFailures([&] {
    at.name = L"Vantrel " + std::to_wstring(Os().system->ProgramVersionNumbers().major);
    at.appFolder = Os().system->ApplicationFolder();
    at.exeName = Os().system->ExecutableBaseName();
    at.exe = at.appFolder + L"\\" + at.exeName + L".exe";
  });
  at.desktopLink = Env().FolderCommonDesktop + L"\\" + at.name + L".lnk";
  at.menuFolder = Env().FolderCommonPrograms + L"\\" + at.name;
  at.entryKey = L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + at.name;
  return at;
}

}  // namespace vantrel
