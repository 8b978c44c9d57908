// Reading and writing INI values. Keys are sent lower-cased when read and
// upper-cased when written; the system matches them without regard to case.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

namespace vantrel {

// At most 749 characters; empty text when absent or on any failure.
std::wstring IniRead(const std::wstring& section, const std::wstring& key, const std::wstring& file);
// The same value as 8-bit text, for files whose code page is not the system's.
std::string IniReadBytes(const std::wstring& section, const std::wstring& key,
                         const std::wstring& file);
// IniRead for a file that other users can write: the file is read only up to
// mostBytes. Empty text when the file is missing or lacks the value; nothing
// when it is larger or cannot be read, so the caller can tell a file to
// leave alone from one to add the value to.
std::optional<std::wstring> IniReadSmallFile(const std::wstring& section, const std::wstring& key,
                                             const std::wstring& file, std::size_t mostBytes);
// False when the value was not written.
bool IniWrite(const std::wstring& section, const std::wstring& key, const std::wstring& value,
              const std::wstring& file);

}  // namespace vantrel
