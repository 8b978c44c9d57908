// The system's INI ("profile") file reader and writer. Values are 8-bit text
// as stored in the file; which code page they are in is the caller's business.
#pragma once
#include <cstddef>
#include <string>

namespace vantrel {

class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;
  // Sections and keys match without regard to case; the value comes back with
  // leading and trailing blanks and one pair of enclosing quotes removed, cut
  // to capacity - 1 bytes, and otherwise byte for byte as in the file, in
  // whatever code page the system has. Empty text when absent or on any
  // failure.
  virtual std::string Read(const std::wstring& section, const std::wstring& key,
                           const std::wstring& file, std::size_t capacity) = 0;
  virtual bool Write(const std::wstring& section, const std::wstring& key,
                     const std::string& value, const std::wstring& file) = 0;
};

}  // namespace vantrel
