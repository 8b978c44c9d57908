// The shipped English file holds every text the program asks for; and once
// the build has put the translations in their code pages, the program's own
// lookup reads back exactly what the translator wrote, in the character set
// the language needs.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <map>
#include <regex>

#include "lang/Language.h"
#include "lang/LanguageState.h"
#include "platform/IniText.h"
#include "services/Settings.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

namespace fs = std::filesystem;

const fs::path kRoot = VANTREL_SOURCE_DIR;

std::wstring Wide(const std::string& utf8) {
  std::wstring out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.push_back(static_cast<wchar_t>(cp));
    i += extra + 1;
  }
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
  ASSERT_EQ(std::system(encode.c_str()), 0);  // what it refused is in the test's output
  // The character set each language needs (the fonts' charset follows it).
  const std::map<std::string, int> charsets = {{"German", 0},   {"French", 0},   {"Spain", 0},    {"Italian", 0},
                                               {"Portuguese", 0}, {"Polish", 238}, {"Russian", 204}, {"Chinese", 134},
                                               {"Japanese", 128}, {"Korean", 129}, {"Greek", 161},   {"Turkish", 162}};
  std::size_t read = 0;
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
    ++read;
  }
  EXPECT_EQ(read, charsets.size());
}

}  // namespace
}  // namespace vantrel::test
