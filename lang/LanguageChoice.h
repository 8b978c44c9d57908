// Choosing the language from the user's country on the first start.
#pragma once
#include <string>

namespace vantrel {

// The language for that country when its file is installed, else "English".
std::wstring DetectLanguage();

}  // namespace vantrel
