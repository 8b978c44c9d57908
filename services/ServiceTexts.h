// Texts of the language files for the service module, which stands below
// the language code: start-up hands it the lookup once the language is fixed.
#pragma once
#include <functional>
#include <string>

namespace vantrel {

using TextLookup = std::function<std::wstring(const std::wstring& section, const std::wstring& key)>;

void SetServiceTexts(TextLookup lookup);
// The current language's text; the key itself before a lookup was handed over.
std::wstring ServiceText(const std::wstring& section, const std::wstring& key);

}  // namespace vantrel
