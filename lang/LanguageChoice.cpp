#include "lang/LanguageChoice.h"

#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/Paths.h"

namespace vantrel {

namespace {

struct CountryRow {
  const wchar_t* country;
  bool containedMatch;  // "Korea" matches any name that holds it
  const wchar_t* language;  // also the base name of its file
};

constexpr CountryRow kCountries[] = {
    {L"Russia", false, L"Russian"},       {L"France", false, L"French"},
    {L"Spain", false, L"Spain"},          {L"Indonesia", false, L"Indonesian"},
    {L"Netherlands", false, L"Dutch"},    {L"Germany", false, L"German"},
    {L"People's Republic of China", false, L"Chinese"},
    {L"Italy", false, L"Italian"},        {L"Saudi Arabia", false, L"Arabic"},
    {L"Egypt", false, L"Arabic"},         {L"Norway", false, L"Norwegian"},
    {L"Korea", true, L"Korean"},          {L"Brazil", false, L"Portuguese"},
    {L"Portugal", false, L"Portuguese"},  {L"Turkey", false, L"Turkish"},
    {L"Japan", false, L"Japanese"},       {L"Sweden", false, L"Swedish"},
    {L"Finland", false, L"Finnish"},
};

}  // namespace

std::wstring DetectLanguage() {
  const std::wstring country = CountryName();
  std::wstring language = L"English";
  for (const CountryRow& row : kCountries) {
    const bool matches = row.containedMatch ? country.find(row.country) != std::wstring::npos
                                            : country == row.country;
    if (matches && FileExists(Lang().LanguageFolder + L"\\" + row.language + L".ini"))
      language = row.language;
  }
  return language;
}

}  // namespace vantrel
