// The shipped English file is the last word for every text: a key the
// program asks for and English lacks shows the user an error text.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "lang/Language.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(EnglishFile, HoldsEveryKeyTheProgramAsksFor) {
  const std::filesystem::path root = VANTREL_SOURCE_DIR;
  const std::string english = ReadFile(root / "dist" / "Languages" / "English.ini");
  ASSERT_FALSE(english.empty());
  FakeMachine m;
  m.PutLanguage(L"English", english);
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(Lang().LanguageCharset, 0);

  const std::regex lookup(R"re(LangText\(L"([A-Z0-9]+)",\s*L"([A-Z0-9-]+)"\))re");
  int asked = 0;
  for (const char* dir : {"app", "disks", "engine", "runlog", "system", "lang", "services"}) {
    if (!std::filesystem::exists(root / dir)) continue;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / dir)) {
      const std::string code = ReadFile(entry.path());
      for (std::sregex_iterator it(code.begin(), code.end(), lookup), end; it != end; ++it) {
        const std::wstring section((*it)[1].first, (*it)[1].second);
        const std::wstring key((*it)[2].first, (*it)[2].second);
        EXPECT_EQ(LangText(section, key).find(L"error, text not found"), std::wstring::npos)
            << entry.path() << " asks for a text English lacks";
        ++asked;
      }
    }
  }
  EXPECT_GT(asked, 0);
}

TEST(EnglishFile, EveryLineEndsInCrLf) {
  const std::string english = ReadFile(std::filesystem::path(VANTREL_SOURCE_DIR) / "dist" / "Languages" / "English.ini");
  for (std::size_t i = 0; i < english.size(); ++i) {
    if (english[i] == '\n') {
      ASSERT_TRUE(i > 0 && english[i - 1] == '\r') << "at byte " << i;
    }
  }
}

}  // namespace
}  // namespace vantrel::test
