#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"
// After <windows.h>, which it needs.
#include <mmsystem.h>

namespace vantrel::win32 {

uint8_t Win32Power::MainsStatus() {
  SYSTEM_POWER_STATUS status{};
  if (!GetSystemPowerStatus(&status)) return mains::Unknown;
  return status.ACLineStatus;
}

bool Win32Power::KeepSystemAwake(bool awake) {
  return SetThreadExecutionState(awake ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS) != 0;
}

void Win32Power::EnableShutdownPrivilege() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return;
  FileHandle token(raw);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return;
  AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
}

bool Win32Power::EndSession(uint32_t flags) { return ExitWindowsEx(flags, 0xFFFFFFFF) != 0; }

void Win32Sound::PlayWaveFile(const std::wstring &file) { sndPlaySoundW(file.c_str(), SND_ASYNC | SND_NODEFAULT); }

}  // namespace vantrel::win32
