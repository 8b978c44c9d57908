// The language of the interface: which file its texts come from, and the
// lookup of a text by section and key with English as the fallback.
#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

struct LanguageState {
  std::wstring LanguageFolder;  // application folder + "\Languages"
  std::wstring LanguageName;    // base name of the current language's file
  int16_t LanguageCharset = 1;  // font character set of the controls
  // Code pages the current file and English.ini are decoded with (0: the
  // system's ANSI code page).
  unsigned codePage = 0;
  unsigned englishCodePage = 0;
};

LanguageState& Lang();

// Fixes the language for the life of the process. False when the program
// must end: the folder or the stored language's file is missing, and the
// user has been told so.
bool InitLanguage();

// The current language's text, else English's, else a visible error text.
// Never empty.
std::wstring LangText(const std::wstring& section, const std::wstring& key);

}  // namespace vantrel
