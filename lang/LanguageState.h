// The language of the interface as the rest of the program reads it: fixed
// once at start-up by the language files' code and only read afterwards.
#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

struct LanguageState {
  std::wstring LanguageFolder;  // application folder + "\Languages"
  std::wstring LanguageName;    // base name of the current language's file
  int16_t LanguageCharset = 1;  // font character set of the controls
  // Code pages the current file and English.ini are decoded with, as their
  // CHARSET values name them (0 until the language is fixed: the system's
  // ANSI code page).
  unsigned codePage = 0;
  unsigned englishCodePage = 0;
};

LanguageState& Lang();

}  // namespace vantrel
