// Choosing the language from the user's country on the first start.
#pragma once
#include <string>

namespace vantrel {

// English name of the country of the user's default locale; empty on failure.
std::wstring CountryName();
// The language for that country when its file is installed, else "English".
std::wstring DetectLanguage();

}  // namespace vantrel
