// The shipped English file holds every text the program asks for; and once
// the build has put the translations in their code pages, the program's own
// lookup reads back exactly what the translator wrote, in the character set
// the language needs.
#include <gtest/gtest.h>
#include <locale.h>
#include <stdlib.h>

#include <map>
#include <regex>

#include "lang/Language.h"
#include "lang/LanguageState.h"
#include "platform/IniText.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

namespace fs = std::filesystem;

const fs::path kRoot = VANTREL_SOURCE_DIR;

// UTF-8 as wide text, through the C library in a UTF-8 locale of this thread only.
std::wstring Wide(const std::string& utf8) {
  std::wstring out(utf8.size(), L'\0');
  const locale_t before = uselocale(newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr));
  out.resize(mbstowcs(out.data(), utf8.c_str(), out.size()));
  freelocale(uselocale(before));
  return out;
}

// A folder of its own for one test, gone afterwards.
struct TempFolder {
  fs::path path = mkdtemp((fs::temp_directory_path() / "vantrel-lang-XXXXXX").string().data());
  ~TempFolder() { fs::remove_all(path); }
};

TEST(EnglishFile, HoldsEveryTextTheProgramAsksForInCrLfLines) {
  const std::string english = ShippedFile("dist/Languages/English.ini");
  EXPECT_FALSE(std::regex_search(english, std::regex("[^\r]\n")));
  FakeMachine m;
  m.PutLanguage(L"English", english);
  ASSERT_TRUE(InitLanguage());
  const std::regex lookup(R"re(LangText\(L"([A-Z0-9]+)",\s*L"([A-Z0-9-]+)"\))re");
  int asked = 0;
  for (const char* dir : {"app", "disks", "engine", "runlog", "system", "lang", "services", "maker"})
    for (const auto& entry : fs::recursive_directory_iterator(kRoot / dir)) {
      const std::string code = ShippedFile(entry.path());
      for (std::sregex_iterator it(code.begin(), code.end(), lookup), end; it != end; ++it, ++asked)
        EXPECT_EQ(LangText(Wide((*it)[1]), Wide((*it)[2])).find(L"text not found"), std::wstring::npos)
            << entry.path() << " asks for " << (*it)[0];
    }
  EXPECT_GT(asked, 30);
}

// The encoder's output read the way the program reads it: every text exactly
// as in the source, so the encoder and the program agree on the code pages.
TEST(Translations, ReadBackThroughTheProgramAsWritten) {
  TempFolder out;
  const std::string encode = "python3 '" + (kRoot / "tools/encode-languages.py").string() + "' '" +
                             (kRoot / "translations").string() + "' '" + out.path.string() + "'";
  ASSERT_EQ(system(encode.c_str()), 0);  // what it refused is in the test's output
  // The character set each language needs (the fonts' charset follows it).
  const std::map<std::string, int> charsets = {{"German", 0},   {"French", 0},   {"Spain", 0},    {"Italian", 0},
                                               {"Portuguese", 0}, {"Polish", 238}, {"Russian", 204}, {"Chinese", 134},
                                               {"Japanese", 128}, {"Korean", 129}, {"Greek", 161},   {"Turkish", 162}};
  ASSERT_EQ(std::distance(fs::directory_iterator(out.path), {}), std::ssize(charsets));  // a row for each language
  for (const auto& encoded : fs::directory_iterator(out.path)) {
    const std::string name = encoded.path().stem().string();
    FakeMachine m;
    m.PutLanguage(L"English", ShippedFile("dist/Languages/English.ini"));
    m.PutLanguage(Wide(name), ShippedFile(encoded.path()));
    WriteSetting(kProgramSettings, L"Settings", L"Language", Wide(name));
    ASSERT_TRUE(InitLanguage()) << name;
    EXPECT_EQ(Lang().LanguageCharset, charsets.at(name)) << name;
    std::wstring section;
    for (const IniLine& l : ParseIniLines(ShippedFile(kRoot / "translations" / encoded.path().filename()))) {
      if (l.isSection) section = Wide(l.name);
      if (l.isSection || l.text.find('=') == std::string::npos || l.name.starts_with(';')) continue;
      EXPECT_TRUE(!l.value.empty() && LangText(section, Wide(l.name)) == Wide(l.value)) << name << " " << l.name;
    }
  }
}

}  // namespace
}  // namespace vantrel::test
