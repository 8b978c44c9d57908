#include "engine/FillText.h"

#include <algorithm>
#include <cmath>

#include "platform/Platform.h"

namespace vantrel {

std::string_view FillAlphabet(OverwriteMethod method) {
  switch (method) {
    case OverwriteMethod::RandomCharacters:
    case OverwriteMethod::Gutmann: return "ABCDEFGHIJKLMNOPQRSTUVWXY";
    case OverwriteMethod::Spaces: return " ";
    case OverwriteMethod::RandomDigits:
    case OverwriteMethod::Dod522022: return "0123456789";
  }
  return " ";
}

char FillChar(OverwriteMethod method) {
  const std::string_view alphabet = FillAlphabet(method);
  const auto i = static_cast<std::size_t>(std::floor(Os().clock->Random() * static_cast<double>(alphabet.size())));
  return alphabet[std::min(i, alphabet.size() - 1)];
}

std::string FillText(OverwriteMethod method, int count) {
  std::string text;
  text.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) text.push_back(FillChar(method));
  return text;
}

}  // namespace vantrel
