// The Windows program's start: the real platform and window toolkit in
// place, then the program with its command line. The entry point above the
// app hands the program over, so nothing in platform/ knows the app.
#pragma once
#include <string>

namespace vantrel::win32 {

// Takes the command line after the program's own name and returns the
// process's exit code.
using ProgramMain = int (*)(const std::wstring& commandLine);

int RunOnWindows(ProgramMain program);

}  // namespace vantrel::win32
