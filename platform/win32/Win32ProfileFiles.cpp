#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"

#include <vector>

namespace vantrel::win32 {

// The wide reader decodes an 8-bit file in the ANSI code page; encoding the
// answer back gives the file's own bytes for the callers to decode as the
// file's language requires.
std::string Win32ProfileFiles::Read(const std::wstring& section, const std::wstring& key,
                                    const std::wstring& file, std::size_t capacity) {
  if (capacity == 0) return {};
  std::vector<wchar_t> buffer(capacity, L'\0');
  const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                           static_cast<DWORD>(capacity), file.c_str());
  return ToAnsi(std::wstring(buffer.data(), n));
}

bool Win32ProfileFiles::Write(const std::wstring& section, const std::wstring& key,
                              const std::string& value, const std::wstring& file) {
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), FromAnsi(value).c_str(),
                                    file.c_str()) != 0;
}

}  // namespace vantrel::win32
