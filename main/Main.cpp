// The program's entry point on Windows: the real platform, then the app.
// The subsystem makes it a window program; the C runtime calls wmain for
// it as it would a console program's.
#include "app/Program.h"
#include "platform/win32/Win32Main.h"

extern "C" int wmain(int, wchar_t*[]) { return vantrel::win32::RunOnWindows(vantrel::RunVantrel); }
