// The program from its start to its end, on any platform that has been installed.
#pragma once
#include <string>

namespace vantrel {

// Returns the process's exit code.
int RunVantrel(const std::wstring& commandLine);

}  // namespace vantrel
