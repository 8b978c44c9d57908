#include "services/IniHelpers.h"

#include "platform/Platform.h"
#include "services/AnsiText.h"
#include "services/NumericText.h"
#include "services/Quietly.h"

namespace vantrel {

namespace {
constexpr std::size_t kReadBuffer = 750;
}

std::string IniReadBytes(const std::wstring& section, const std::wstring& key, const std::wstring& file) {
  return Quietly(std::string(), [&] { return Os().profiles->Read(section, AsciiLower(key), file, kReadBuffer); });
}

std::wstring IniRead(const std::wstring& section, const std::wstring& key, const std::wstring& file) {
  return Quietly(std::wstring(), [&] { return FromAnsi(IniReadBytes(section, key, file)); });
}

void IniWrite(const std::wstring& section, const std::wstring& key, const std::wstring& value,
              const std::wstring& file) {
  Quietly([&] { Os().profiles->Write(section, AsciiUpper(key), ToAnsi(value), file); });
}

}  // namespace vantrel
