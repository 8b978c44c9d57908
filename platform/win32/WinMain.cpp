// The program's entry point: installs the real platform and hands over.
#include "app/Program.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/WinApi.h"

#include <objbase.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  // A drive without a medium must never stop the program with a system dialog.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  static vantrel::win32::Win32Platform platform;
  platform.Install();
  static vantrel::win32::Win32Toolkit toolkit;
  vantrel::InstallToolkit(&toolkit);
  const int code = vantrel::RunVantrel(commandLine ? commandLine : L"");
  CoUninitialize();
  return code;
}
