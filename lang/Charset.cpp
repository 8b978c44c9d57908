#include "lang/Charset.h"

#include <cmath>

#include "services/NumericText.h"

namespace vantrel {

int16_t ParseCharset(const std::wstring& text) {
  const auto number = ParseNumber(text);
  if (!number) return 1;
  const double whole = std::floor(*number);
  if (whole < -32768.0 || whole > 32767.0) return 1;
  return static_cast<int16_t>(whole);
}

unsigned CodePageForCharset(int charset, unsigned systemCodePage) {
  switch (charset) {
    case 0: return 1252;
    case 204: return 1251;
    case 238: return 1250;
    case 161: return 1253;
    case 162: return 1254;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 163: return 1258;
    case 222: return 874;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    default: return systemCodePage;
  }
}

}  // namespace vantrel
