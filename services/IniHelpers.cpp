#include "services/IniHelpers.h"

#include "platform/IniText.h"
#include "platform/Platform.h"
#include "services/AnsiText.h"
#include "services/IgnoringFailures.h"
#include "services/NumericText.h"

namespace vantrel {

namespace {
constexpr std::size_t kReadBuffer = 750;
}

std::string IniReadBytes(const std::wstring& section, const std::wstring& key, const std::wstring& file) {
  return IgnoringFailures(std::string(),
                          [&] { return Os().profiles->Read(section, AsciiLower(key), file, kReadBuffer); });
}

std::wstring IniRead(const std::wstring& section, const std::wstring& key, const std::wstring& file) {
  return IgnoringFailures(std::wstring(), [&] { return FromAnsi(IniReadBytes(section, key, file)); });
}

std::optional<std::wstring> IniReadSmallFile(const std::wstring& section, const std::wstring& key,
                                             const std::wstring& file, std::size_t mostBytes) {
  return IgnoringFailures(std::optional<std::wstring>(), [&]() -> std::optional<std::wstring> {
    FileSystem& files = *Os().files;
    const auto in = files.OpenRead(file);
    if (!in) {
      if (files.LastFailure() == FsFailure::Missing) return std::wstring();
      return std::nullopt;
    }
    // One byte beyond the bound tells a file that is too large.
    std::string bytes, block;
    do {
      if (!in->Read(block, mostBytes + 1 - bytes.size())) return std::nullopt;
      bytes += block;
    } while (!block.empty() && bytes.size() <= mostBytes);
    if (bytes.size() > mostBytes) return std::nullopt;
    return FromAnsi(FindIniValue(bytes, section, AsciiLower(key), kReadBuffer));
  });
}

bool IniWrite(const std::wstring& section, const std::wstring& key, const std::wstring& value,
              const std::wstring& file) {
  return Os().profiles->Write(section, AsciiUpper(key), ToAnsi(value), file);
}

}  // namespace vantrel
