#include "services/Environment.h"

#include <cmath>

#include "platform/Platform.h"
#include "services/IgnoringFailures.h"
#include "services/IniHelpers.h"
#include "services/Paths.h"
#include "services/RegistryHelpers.h"
#include "services/SpecialFolder.h"

namespace vantrel {

namespace {

EnvironmentFacts g_env;

const std::wstring kAppName = L"VNL";
const std::wstring kModuleIni = L"brisen2.2.ini";

// Folders no fact names, resolved so that the shell makes any that are missing.
constexpr int32_t kOtherFolders[] = {
    csidl::Desktop,         csidl::Programs,          csidl::Personal,      csidl::Favorites,
    csidl::Startup,         csidl::Recent,            csidl::SendTo,        csidl::StartMenu,
    csidl::MyMusic,         csidl::MyVideo,           csidl::DesktopDirectory, csidl::CommonStartMenu,
    csidl::CommonStartup,   csidl::LocalAppData,      csidl::CommonFavorites, csidl::InternetCache,
    csidl::Cookies,         csidl::History,           csidl::System,        csidl::MyPictures,
    csidl::Profile,         csidl::ProgramFilesCommon, csidl::CommonMusic,  csidl::CommonPictures,
    csidl::CommonVideo,     csidl::CdBurnArea};

void ResolveFolders(EnvironmentFacts& env) {
  env.FolderAppData = SpecialFolder(csidl::AppData);
  env.FolderCommonAppData = SpecialFolder(csidl::CommonAppData);
  env.FolderWindows = SpecialFolder(csidl::Windows);
  env.FolderProgramFiles = SpecialFolder(csidl::ProgramFiles);
  env.FolderCommonPrograms = SpecialFolder(csidl::CommonPrograms);
  env.FolderCommonDesktop = SpecialFolder(csidl::CommonDesktopDirectory);
  for (int32_t folder : kOtherFolders) SpecialFolder(folder);
}

}  // namespace

EnvironmentFacts& Env() { return g_env; }

std::wstring FormatProgramVersion(int major, int minor) {
  return std::to_wstring(major) + (minor < 10 ? L".0" : L".") + std::to_wstring(minor);
}

uint32_t DetectWindowsVersion() {
  uint32_t version = 0;
  IgnoringFailures([&] {
    version = Os().system->MajorVersion();
    const std::wstring product =
        RegistryRead(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProductName");
    if (product.find(L"Windows 7") != std::wstring::npos) version = 7;
  });
  return version;
}

bool DetectAdminRights() {
  return IgnoringFailures(false, [] { return Os().system->ProcessIsElevated(); });
}

std::wstring ReadOrMakeInstallId(const std::wstring& iniFile) {
  return IgnoringFailures(std::wstring(), [&] {
    Os().clock->SeedRandomFromClock();
    const auto stored = IniReadSmallFile(kModuleSection, L"PCID", iniFile, kModuleIniMostBytes);
    if (!stored) return std::wstring();
    std::wstring candidate;
    while (candidate.size() != 9)
      candidate = std::to_wstring(static_cast<long long>(std::floor(Os().clock->Random() * 999999999.0)));
    if (stored->empty()) IniWrite(kModuleSection, L"PCID", candidate, iniFile);
    return IniReadSmallFile(kModuleSection, L"PCID", iniFile, kModuleIniMostBytes).value_or(L"");
  });
}

std::wstring ModuleIniFile() { return Env().FolderCommonAppData + L"\\" + kModuleIni; }

void InitEnvironment() {
  EnvironmentFacts& env = g_env;
  env = EnvironmentFacts{};
  IgnoringFailures([&] { ResolveFolders(env); });
  env.SystemDrive = env.FolderWindows.substr(0, 1);
  IgnoringFailures([&] {
    env.DataFolder = env.FolderAppData + L"\\" + kAppName;
    if (!FolderExists(env.DataFolder)) Os().files->CreateFolder(env.DataFolder);
  });
  env.WindowsVersion = DetectWindowsVersion();
  env.IsAdmin = DetectAdminRights();
  env.TempFolder = GetTempFolder();
  IgnoringFailures([&] {
    const VersionNumbers v = Os().system->ProgramVersionNumbers();
    env.ProgramVersion = FormatProgramVersion(v.major, v.minor);
  });
  env.InstallId = ReadOrMakeInstallId(ModuleIniFile());
}

std::wstring CountryName() {
  return IgnoringFailures(std::wstring(), [] {
    const std::wstring name = Os().system->LocaleCountryName();
    return name.substr(0, name.find(L'\0'));
  });
}

}  // namespace vantrel
