#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"

#include "platform/IniText.h"

namespace vantrel::win32 {

// Not the system's reader: it turns the file into UTF-16 with the system's
// code page, and whatever comes back is converted again, so bytes that are
// no character in that code page (a lone lead byte on a double-byte system)
// are changed or lost. Language files are in their own code page, so the
// bytes must reach the caller untouched; the wide file name also reaches
// folders whose names the ANSI code page cannot spell.
std::string Win32ProfileFiles::Read(const std::wstring& section, const std::wstring& key,
                                    const std::wstring& file, std::size_t capacity) {
  std::string bytes;
  if (capacity == 0 || !files_.ReadAll(file, bytes)) return {};
  return FindIniValue(bytes, section, key, capacity);
}

bool Win32ProfileFiles::Write(const std::wstring& section, const std::wstring& key,
                              const std::string& value, const std::wstring& file) {
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), FromAnsi(value).c_str(),
                                    file.c_str()) != 0;
}

}  // namespace vantrel::win32
