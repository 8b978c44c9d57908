#include "services/NumericText.h"

#include <cmath>
#include <cwchar>

namespace vantrel {

std::optional<double> ParseNumber(const std::wstring& text) {
  const auto first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return std::nullopt;
  const auto last = text.find_last_not_of(L" \t");
  const std::wstring core = text.substr(first, last - first + 1);
  // Only plain decimal notation: no hexadecimal, no "inf" or "nan".
  if (core.find_first_not_of(L"0123456789+-.eE") != std::wstring::npos) return std::nullopt;
  wchar_t* end = nullptr;
  const double value = std::wcstod(core.c_str(), &end);
  if (end != core.c_str() + core.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::wstring AsciiLower(std::wstring text) {
  for (auto& c : text)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return text;
}

std::wstring AsciiUpper(std::wstring text) {
  for (auto& c : text)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return text;
}

}  // namespace vantrel
