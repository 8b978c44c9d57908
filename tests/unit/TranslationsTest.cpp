// The shipped English file holds every text the program asks for; and once
// the build has put the translations in their code pages, the program's own
// lookup reads back exactly what the translator wrote, in the character set
// the language needs.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "lang/Language.h"
#include "lang/LanguageState.h"
#include "services/Settings.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

namespace fs = std::filesystem;

const fs::path kRoot = VANTREL_SOURCE_DIR;

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The texts of a language file: section, name and text.
struct Line {
  std::string section, name, text;
};

std::vector<Line> ReadTexts(const fs::path& file) {
  std::vector<Line> lines;
  std::istringstream in(ReadFile(file));
  std::string section;
  for (std::string raw; std::getline(in, raw);) {
    const std::string line = Trim(raw.ends_with('\r') ? raw.substr(0, raw.size() - 1) : raw);
    const auto eq = line.find('=');
    if (line.starts_with('[') && line.ends_with(']')) section = line.substr(1, line.size() - 2);
    if (!line.starts_with(';') && eq != std::string::npos)
      lines.push_back({section, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))});
  }
  return lines;
}

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

std::vector<fs::path> Translations() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kRoot / "translations"))
    if (entry.path().extension() == ".ini") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Runs the encoder; its exit code, with what it wrote to stderr in `errors`.
int Encode(std::initializer_list<std::string> arguments, const fs::path& errors) {
  std::string command = "python3 '" + (kRoot / "tools" / "encode-languages.py").string() + "'";
  for (const std::string& argument : arguments) command.append(" '").append(argument).append("'");
  return std::system(command.append(" 2>'").append(errors.string()).append("'").c_str());
}

// A folder of its own for one test, gone afterwards.
struct TempFolder {
  fs::path path;
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "vantrel-lang-XXXXXX").string();
    path = mkdtemp(pattern.data());
  }
  ~TempFolder() { fs::remove_all(path); }
};

TEST(EnglishFile, HoldsEveryTextTheProgramAsksForInCrLfLines) {
  const std::string english = ReadFile(kRoot / "dist" / "Languages" / "English.ini");
  EXPECT_EQ(std::regex_search(english, std::regex("[^\r]\n")), false);
  FakeMachine m;
  m.PutLanguage(L"English", english);
  ASSERT_TRUE(InitLanguage());
  const std::regex lookup(R"re(LangText\(L"([A-Z0-9]+)",\s*L"([A-Z0-9-]+)"\))re");
  int asked = 0;
  for (const char* dir : {"app", "disks", "engine", "runlog", "system", "lang", "services", "maker"}) {
    if (!fs::exists(kRoot / dir)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(kRoot / dir)) {
      const std::string code = ReadFile(entry.path());
      for (std::sregex_iterator it(code.begin(), code.end(), lookup), end; it != end; ++it, ++asked)
        EXPECT_EQ(LangText(Wide((*it)[1]), Wide((*it)[2])).find(L"text not found"), std::wstring::npos)
            << entry.path() << " asks for " << (*it)[0];
    }
  }
  EXPECT_GT(asked, 30);
}

// The encoder's output read the way the program reads it: every text exactly
// as in the source, so the encoder and the program agree on the code pages.
TEST(Translations, ReadBackThroughTheProgramAsWritten) {
  TempFolder out;
  ASSERT_EQ(Encode({(kRoot / "translations").string(), out.path.string()}, out.path / "errors"), 0)
      << ReadFile(out.path / "errors");
  // The character set each language needs (the fonts' charset follows it).
  const std::map<std::string, int> charsets = {{"German", 0},   {"French", 0},   {"Spain", 0},    {"Italian", 0},
                                               {"Portuguese", 0}, {"Polish", 238}, {"Russian", 204}, {"Chinese", 134},
                                               {"Japanese", 128}, {"Korean", 129}, {"Greek", 161},   {"Turkish", 162}};
  ASSERT_EQ(Translations().size(), charsets.size());
  for (const fs::path& source : Translations()) {
    const std::string name = source.stem().string();
    FakeMachine m;
    m.PutLanguage(L"English", ReadFile(kRoot / "dist" / "Languages" / "English.ini"));
    m.PutLanguage(Wide(name), ReadFile(out.path / source.filename()));
    WriteSetting(kProgramSettings, L"Settings", L"Language", Wide(name));
    ASSERT_TRUE(InitLanguage()) << name;
    EXPECT_EQ(Lang().LanguageCharset, charsets.at(name)) << name;
    for (const Line& l : ReadTexts(source))
      EXPECT_TRUE(!l.text.empty() && LangText(Wide(l.section), Wide(l.name)) == Wide(l.text)) << name << " " << l.name;
  }
}

}  // namespace
}  // namespace vantrel::test
