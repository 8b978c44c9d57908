// The shipped English file holds every text the program asks for; the
// translations are held to it line by line, in the character set their
// language needs; and once the build has put them in their code pages, the
// program's own lookup reads back exactly what the translator wrote.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "lang/Language.h"
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

// One line of a language file by its shape: '[' a section, '=' a text, ';' a
// comment, ' ' a blank line, '?' anything else; with the section it is in.
struct Line {
  char kind;
  std::string section, name, text;
};

std::vector<Line> ReadLines(const fs::path& file) {
  std::vector<Line> lines;
  std::istringstream in(ReadFile(file));
  std::string section;
  for (std::string raw; std::getline(in, raw);) {
    if (raw.ends_with('\r')) raw.pop_back();
    const std::string line = Trim(raw);
    const auto eq = line.find('=');
    if (line.starts_with('[') && line.ends_with(']')) section = line.substr(1, line.size() - 2);
    lines.push_back(line.empty()              ? Line{' ', section, "", ""}
                    : line[0] == ';'          ? Line{';', section, "", line}
                    : line[0] == '['          ? Line{'[', section, section, ""}
                    : eq != std::string::npos ? Line{'=', section, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))}
                                              : Line{'?', section, line, ""});
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

// The same sections, keys, comments and blank lines in the same order, every
// text filled in, the first line naming the language, the character set
// the language needs, and shortcut names that can be file names.
TEST(Translations, FollowTheEnglishFileLineByLine) {
  const std::map<std::string, std::pair<std::string, int>> languages = {
      {"German", {"German", 0}},     {"French", {"French", 0}},         {"Spain", {"Spanish", 0}},
      {"Italian", {"Italian", 0}},   {"Portuguese", {"Portuguese", 0}}, {"Polish", {"Polish", 238}},
      {"Russian", {"Russian", 204}}, {"Chinese", {"Chinese", 134}},     {"Japanese", {"Japanese", 128}},
      {"Korean", {"Korean", 129}},   {"Greek", {"Greek", 161}},         {"Turkish", {"Turkish", 162}}};
  const auto english = ReadLines(kRoot / "dist" / "Languages" / "English.ini");
  ASSERT_EQ(std::count_if(english.begin(), english.end(), [](const Line& l) { return l.kind == '='; }), 117);
  ASSERT_EQ(Translations().size(), languages.size());
  for (const fs::path& file : Translations()) {
    SCOPED_TRACE(file.filename().string());
    const auto& [language, charset] = languages.at(file.stem().string());
    const auto lines = ReadLines(file);
    ASSERT_EQ(lines.size(), english.size());
    EXPECT_EQ(lines[0].text, "; Vantrel - " + language + " language file");
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const Line& l = lines[i];
      EXPECT_TRUE(l.kind == english[i].kind && l.section == english[i].section && l.name == english[i].name)
          << "line " << i + 1 << ": '" << l.name << "' where English has '" << english[i].name << "'";
      EXPECT_TRUE(l.kind != '=' || !l.text.empty()) << l.name;
      EXPECT_TRUE(l.section != "CHARSET" || l.kind != '=' || l.text == std::to_string(charset));
      EXPECT_TRUE(l.section != "SHORTCUTS" || l.kind != '=' ||
                  (l.text.find_first_of("\\/:*?\"<>|") == std::string::npos && !l.text.ends_with('.')))
          << l.name;
    }
  }
}

// The encoder's output read the way the program reads it: every text exactly
// as in the source, so the encoder and the program agree on the code pages.
TEST(Translations, ReadBackThroughTheProgramAsWritten) {
  TempFolder out;
  ASSERT_EQ(Encode({(kRoot / "translations").string(), out.path.string()}, out.path / "errors"), 0)
      << ReadFile(out.path / "errors");
  for (const fs::path& source : Translations()) {
    const std::string name = source.stem().string();
    FakeMachine m;
    m.PutLanguage(L"English", ReadFile(kRoot / "dist" / "Languages" / "English.ini"));
    m.PutLanguage(Wide(name), ReadFile(out.path / source.filename()));
    WriteSetting(kProgramSettings, L"Settings", L"Language", Wide(name));
    ASSERT_TRUE(InitLanguage()) << name;
    for (const Line& l : ReadLines(source))
      EXPECT_TRUE(l.kind != '=' || LangText(Wide(l.section), Wide(l.name)) == Wide(l.text)) << name << " " << l.name;
  }
}

// A text the code page cannot hold, or a file without a CHARSET of its own,
// stops the build, naming the file and line, before anything is written.
TEST(TranslationEncoder, RefusesWhatTheCodePageCannotHoldAndWritesNothing) {
  TempFolder in, out;
  const auto put = [&](const char* name, const std::string& text) {
    std::ofstream(in.path / name, std::ios::binary) << text;
  };
  put("Good.ini", "; Good\n[CHARSET]\nCHARSET=238\n[INTERFACE]\nCOMMAND1=Dalej \xC5\x82\n");
  put("Polish.ini", "; Polish\n[CHARSET]\nCHARSET=0\n[INTERFACE]\nCOMMAND1=Dalej \xC5\x82\n");
  EXPECT_NE(Encode({in.path.string(), out.path.string()}, in.path / "errors"), 0);
  const std::string errors = ReadFile(in.path / "errors");
  EXPECT_TRUE(errors.find("Polish.ini:5:") != std::string::npos && errors.find("U+0142") != std::string::npos)
      << errors;
  EXPECT_FALSE(fs::exists(out.path / "Good.ini"));
  for (const char* polish : {"; Polish\n[INTERFACE]\nCOMMAND1=Dalej\n", "; Polish\n[CHARSET]\nCHARSET=1\n"}) {
    put("Polish.ini", polish);
    EXPECT_NE(Encode({"--check", in.path.string()}, in.path / "errors"), 0) << polish;
  }
  fs::remove(in.path / "Polish.ini");
  EXPECT_EQ(Encode({"--check", in.path.string()}, in.path / "errors"), 0) << ReadFile(in.path / "errors");
}

}  // namespace
}  // namespace vantrel::test
