#include "platform/fake/WinPath.h"

namespace vantrel::fake {

std::wstring LowerAscii(std::wstring text) {
  for (auto& c : text)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return text;
}

std::wstring PathKey(const std::wstring& path) {
  std::wstring key = LowerAscii(path);
  for (auto& c : key)
    if (c == L'/') c = L'\\';
  while (!key.empty() && key.back() == L'\\') key.pop_back();
  return key;
}

std::wstring ParentKey(const std::wstring& key) {
  const auto cut = key.rfind(L'\\');
  return cut == std::wstring::npos ? std::wstring() : key.substr(0, cut);
}

std::wstring LeafName(const std::wstring& path) {
  std::wstring p = path;
  while (!p.empty() && (p.back() == L'\\' || p.back() == L'/')) p.pop_back();
  const auto cut = p.find_last_of(L"\\/");
  return cut == std::wstring::npos ? p : p.substr(cut + 1);
}

}  // namespace vantrel::fake
