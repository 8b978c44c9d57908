// Reading numbers out of texts the way the settings and language files hold
// them: surrounding blanks allowed, nothing else after the number.
#pragma once
#include <optional>
#include <string>

namespace vantrel {

// The number a text holds, or nothing when it is not wholly a number.
std::optional<double> ParseNumber(const std::wstring& text);

std::wstring AsciiLower(std::wstring text);
std::wstring AsciiUpper(std::wstring text);

}  // namespace vantrel
