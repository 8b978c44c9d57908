// Text as the system's 8-bit files and services hold it: the ANSI code page
// of the running system (1252 on a Western one).
#pragma once
#include <string>
#include <string_view>

namespace vantrel {

// Characters the code page lacks become "?".
std::string ToAnsi(std::wstring_view text);
// Bytes that do not decode come out as U+FFFD.
std::wstring FromAnsi(std::string_view bytes);

}  // namespace vantrel
