#include "platform/fake/FakeTextCodec.h"

#include <iconv.h>

#include <string>

namespace vantrel::fake {

namespace {

std::string IconvName(unsigned codePage) {
  if (codePage == 950) return "BIG5";
  return "CP" + std::to_string(codePage);
}

class Converter {
 public:
  Converter(const char* to, const std::string& from) : cd_(iconv_open(to, from.c_str())) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // Converts one unit; false when it does not convert.
  bool Step(const char* in, std::size_t inLen, std::string& out) {
    char buffer[16];
    char* src = const_cast<char*>(in);
    char* dst = buffer;
    std::size_t left = inLen, room = sizeof buffer;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd_, &src, &left, &dst, &room) == static_cast<std::size_t>(-1) || left) return false;
    out.assign(buffer, dst);
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::wstring FakeTextCodec::Decode(unsigned codePage, std::string_view bytes) {
  Converter conv("UTF-32LE", IconvName(codePage));
  std::wstring text;
  std::string unit;
  for (std::size_t i = 0; i < bytes.size();) {
    bool done = false;
    for (std::size_t len = 1; conv.ok() && len <= 2 && i + len <= bytes.size() && !done; ++len) {
      if (conv.Step(bytes.data() + i, len, unit) && unit.size() == 4) {
        uint32_t cp = 0;
        for (int b = 3; b >= 0; --b) cp = (cp << 8) | static_cast<unsigned char>(unit[b]);
        text.push_back(static_cast<wchar_t>(cp));
        i += len;
        done = true;
      }
    }
    if (!done) {
      text.push_back(static_cast<wchar_t>(0xFFFD));
      ++i;
    }
  }
  return text;
}

std::string FakeTextCodec::Encode(unsigned codePage, std::wstring_view text) {
  Converter conv(IconvName(codePage).c_str(), "UTF-32LE");
  std::string bytes, unit;
  for (wchar_t c : text) {
    const auto cp = static_cast<uint32_t>(c);
    const char in[4] = {static_cast<char>(cp & 0xFF), static_cast<char>((cp >> 8) & 0xFF),
                        static_cast<char>((cp >> 16) & 0xFF), static_cast<char>(cp >> 24)};
    if (conv.ok() && conv.Step(in, 4, unit))
      bytes += unit;
    else
      bytes += '?';
  }
  return bytes;
}

}  // namespace vantrel::fake
