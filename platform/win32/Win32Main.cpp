#include "platform/win32/Win32Main.h"

#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/WinApi.h"

#include <objbase.h>

namespace vantrel::win32 {

namespace {

// What follows the program's name on the command line, as Windows hands it
// to a wWinMain: the name may be quoted, and the blanks after it go.
std::wstring ArgumentsText() {
  const wchar_t* at = GetCommandLineW();
  if (!at) return L"";
  for (bool quoted = false; *at && (quoted || (*at != L' ' && *at != L'\t')); ++at)
    if (*at == L'"') quoted = !quoted;
  while (*at == L' ' || *at == L'\t') ++at;
  return at;
}

}  // namespace

int RunOnWindows(ProgramMain program) {
  // A drive without a medium must never stop the program with a system dialog.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  static Win32Platform platform;
  platform.Install();
  static Win32Toolkit toolkit;
  InstallToolkit(&toolkit);
  const int code = program(ArgumentsText());
  CoUninitialize();
  return code;
}

}  // namespace vantrel::win32
