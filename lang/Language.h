// The language of the interface: which file its texts come from, and the
// lookup of a text by section and key with English as the fallback.
#pragma once
#include <string>

#include "lang/LanguageState.h"

namespace vantrel {



// Fixes the language for the life of the process. False when the program
// must end: the folder or the stored language's file is missing, and the
// user has been told so.
bool InitLanguage();

// The current language's text, else English's, else a visible error text.
// Never empty.
std::wstring LangText(const std::wstring& section, const std::wstring& key);

}  // namespace vantrel
