// Facts about the machine gathered once at start-up and only read afterwards.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrel {

struct EnvironmentFacts {
  std::wstring FolderAppData;
  std::wstring FolderCommonAppData;
  std::wstring FolderWindows;
  std::wstring FolderProgramFiles;
  std::wstring FolderCommonPrograms;
  std::wstring FolderCommonDesktop;
  std::wstring SystemDrive;  // the Windows drive's letter alone, e.g. "C"
  std::wstring DataFolder;   // per-user data folder, no trailing backslash
  uint32_t WindowsVersion = 0;
  bool IsAdmin = false;
  std::wstring TempFolder;
  std::wstring ProgramVersion;  // "3.07"
  std::wstring InstallId;       // nine digits, shared by all users
};

EnvironmentFacts& Env();

// The module's INI file, shared by all users, and its section.
inline const std::wstring kModuleSection = L"BRISEN2.2";
std::wstring ModuleIniFile();

// Resolves every fact in order; a step that fails leaves its fact empty and
// the next step still runs.
void InitEnvironment();

// English name of the country of the user's default locale; empty on failure.
std::wstring CountryName();

// Major and minor number as the program shows its version: 2.05, 2.10.
std::wstring FormatProgramVersion(int major, int minor);
// The product-name rule: a Windows 7 reports major version 6, shown as 7.
uint32_t DetectWindowsVersion();
// Administrator rights as the system tells them for this process; nothing is
// written to find out.
bool DetectAdminRights();
// The shared INI file is read only up to this size: every user can write it,
// and a larger one is no file this program made.
inline constexpr std::size_t kModuleIniMostBytes = 64 * 1024;
// The identifier stored in the shared INI file, made and stored on first use.
// A file too large or unreadable gives empty text and is left as it is, so
// that an identifier it may hold is never replaced.
std::wstring ReadOrMakeInstallId(const std::wstring& iniFile);

}  // namespace vantrel
