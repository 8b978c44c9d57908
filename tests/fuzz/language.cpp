// A translator's file as the program reads it: its CHARSET and the code page
// that follows, the first text of each of the English file's sections looked
// up through it (English standing in for what it lacks), and the
// translators' check of every interface text.
#include <utility>

#include "lang/TranslationCheck.h"
#include "platform/IniText.h"
#include "tests/fuzz/FuzzMachine.h"

void vantrel::test::Fuzz(const std::string& input) {
  FuzzMachine m;
  m.PutLanguage(L"German", input);
  m.Store(L"Settings", L"Language", L"German");
  Require(InitLanguage());
  std::wstring section;
  for (const IniLine& line : ParseIniLines(SourceFile("dist/Languages/English.ini")))
    if (line.isSection) section.assign(line.name.begin(), line.name.end());
    else if (!section.empty() && !line.name.empty())
      Require(!LangText(std::exchange(section, L""), std::wstring(line.name.begin(), line.name.end())).empty());
  CheckTranslations({L"English.ini", L"German.ini"});
}
