// The translations are held to the English file: the same sections, keys,
// comments and order, every text filled in, the character set the language
// needs; and once the build has put them in their code pages, the program's
// own lookup must read back exactly what the translator wrote.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "lang/Language.h"
#include "services/Settings.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

namespace fs = std::filesystem;

const fs::path kRoot = VANTREL_SOURCE_DIR;
const fs::path kEncoder = kRoot / "tools" / "encode-languages.py";

// What a translation's file name calls for: the language's English name on
// the first line, and its font character set.
struct Expected {
  std::string language;
  int charset;
};
const std::map<std::string, Expected> kExpected = {
    {"German", {"German", 0}},     {"French", {"French", 0}},         {"Spain", {"Spanish", 0}},
    {"Italian", {"Italian", 0}},   {"Portuguese", {"Portuguese", 0}}, {"Polish", {"Polish", 238}},
    {"Russian", {"Russian", 204}}, {"Chinese", {"Chinese", 134}},     {"Japanese", {"Japanese", 128}},
    {"Korean", {"Korean", 129}},   {"Greek", {"Greek", 161}},         {"Turkish", {"Turkish", 162}}};

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// One line of a language file by its shape: '[' a section, '=' a text, ';' a
// comment, ' ' a blank line, '?' anything else.
struct Line {
  char kind;
  std::string name;  // the section or the key
  std::string text;
};

std::vector<Line> ReadLines(const fs::path& file) {
  std::vector<Line> lines;
  std::istringstream in(ReadFile(file));
  for (std::string raw; std::getline(in, raw);) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    const std::string line = Trim(raw);
    const auto eq = line.find('=');
    if (line.empty()) {
      lines.push_back({' ', "", ""});
    } else if (line[0] == ';') {
      lines.push_back({';', "", line});
    } else if (line[0] == '[' && line.back() == ']') {
      lines.push_back({'[', line.substr(1, line.size() - 2), ""});
    } else if (eq != std::string::npos) {
      lines.push_back({'=', Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))});
    } else {
      lines.push_back({'?', line, ""});
    }
  }
  return lines;
}

using Texts = std::map<std::pair<std::string, std::string>, std::string>;

Texts TextsOf(const std::vector<Line>& lines) {
  Texts texts;
  std::string section;
  for (const Line& line : lines) {
    if (line.kind == '[') section = line.name;
    if (line.kind == '=') texts.emplace(std::pair{section, line.name}, line.text);
  }
  return texts;
}

std::vector<fs::path> Translations() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kRoot / "translations"))
    if (entry.path().extension() == ".ini") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::wstring FromUtf8(const std::string& s) {
  std::wstring out;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < s.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.push_back(static_cast<wchar_t>(cp));
    i += extra + 1;
  }
  return out;
}

// A folder of its own for one test, gone afterwards.
struct TempFolder {
  fs::path path;
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "vantrel-lang-XXXXXX").string();
    path = mkdtemp(pattern.data());
  }
  ~TempFolder() { fs::remove_all(path); }
  void Put(const std::string& name, const std::string& text) { std::ofstream(path / name, std::ios::binary) << text; }
};

// Runs the encoder with the given arguments; its exit code, with what it wrote
// to stderr in `errors`.
int Encode(std::initializer_list<std::string> arguments, const fs::path& errors) {
  std::string command = "python3 '" + kEncoder.string() + "'";
  for (const std::string& argument : arguments) command.append(" '").append(argument).append("'");
  command.append(" 2>'").append(errors.string()).append("'");
  return std::system(command.c_str());
}

TEST(Translations, HoldEveryEnglishTextAndNoOther) {
  const Texts english = TextsOf(ReadLines(kRoot / "dist" / "Languages" / "English.ini"));
  ASSERT_EQ(english.size(), 117u);
  const auto files = Translations();
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    const Texts texts = TextsOf(ReadLines(file));
    for (const auto& [key, text] : english) {
      const auto found = texts.find(key);
      EXPECT_TRUE(found != texts.end() && !found->second.empty())
          << file.filename() << " lacks [" << key.first << "] " << key.second;
    }
    for (const auto& [key, text] : texts)
      EXPECT_TRUE(english.count(key)) << file.filename() << " has [" << key.first << "] " << key.second
                                      << ", which English lacks";
  }
}

TEST(Translations, FollowTheEnglishFileLineByLine) {
  const auto english = ReadLines(kRoot / "dist" / "Languages" / "English.ini");
  for (const fs::path& file : Translations()) {
    const auto lines = ReadLines(file);
    const auto expected = kExpected.find(file.stem().string());
    ASSERT_NE(expected, kExpected.end()) << file.filename() << " is no language the tests know";
    ASSERT_FALSE(lines.empty()) << file.filename();
    EXPECT_EQ(lines[0].text, "; Vantrel - " + expected->second.language + " language file") << file.filename();
    ASSERT_EQ(lines.size(), english.size()) << file.filename() << " has another number of lines";
    for (std::size_t i = 0; i < lines.size(); ++i)
      EXPECT_TRUE(lines[i].kind == english[i].kind && lines[i].name == english[i].name)
          << file.filename() << " line " << i + 1 << ": '" << lines[i].name << "' where English has '"
          << english[i].name << "'";
  }
}

TEST(Translations, CharsetIsTheOneTheirNameCallsFor) {
  for (const fs::path& file : Translations()) {
    const auto expected = kExpected.find(file.stem().string());
    ASSERT_NE(expected, kExpected.end()) << file.filename() << " is no language the tests know";
    const Texts texts = TextsOf(ReadLines(file));
    const auto charset = texts.find({"CHARSET", "CHARSET"});
    ASSERT_NE(charset, texts.end()) << file.filename();
    EXPECT_EQ(charset->second, std::to_string(expected->second.charset)) << file.filename();
  }
}

TEST(Translations, ShortcutNamesCanBeFileNames) {
  for (const fs::path& file : Translations()) {
    for (const auto& [key, text] : TextsOf(ReadLines(file))) {
      if (key.first != "SHORTCUTS") continue;
      EXPECT_EQ(text.find_first_of("\\/:*?\"<>|"), std::string::npos) << file.filename() << " " << key.second;
      EXPECT_TRUE(!text.empty() && text.back() != '.') << file.filename() << " " << key.second;
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
    const std::string bytes = ReadFile(out.path / source.filename());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\n') {
        ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << " at byte " << i;
      }
    }
    FakeMachine m;
    m.PutLanguage(L"English", ReadFile(kRoot / "dist" / "Languages" / "English.ini"));
    m.PutLanguage(FromUtf8(name), bytes);
    WriteSetting(kProgramSettings, L"Settings", L"Language", FromUtf8(name));
    ASSERT_TRUE(InitLanguage()) << name;
    for (const auto& [key, text] : TextsOf(ReadLines(source)))
      EXPECT_EQ(LangText(FromUtf8(key.first), FromUtf8(key.second)), FromUtf8(text)) << name << " " << key.second;
  }
}

TEST(TranslationEncoder, RefusesWhatTheCodePageCannotHoldAndWritesNothing) {
  TempFolder in, out;
  in.Put("Good.ini", "; Good\n[CHARSET]\nCHARSET=238\n[INTERFACE]\nCOMMAND1=Dalej \xC5\x82\n");
  in.Put("Polish.ini", "; Polish\n[CHARSET]\nCHARSET=0\n[INTERFACE]\nCOMMAND1=Dalej \xC5\x82\n");
  EXPECT_NE(Encode({in.path.string(), out.path.string()}, in.path / "errors"), 0);
  const std::string errors = ReadFile(in.path / "errors");
  EXPECT_NE(errors.find("Polish.ini:5"), std::string::npos) << errors;
  EXPECT_NE(errors.find("U+0142"), std::string::npos) << errors;
  EXPECT_FALSE(fs::exists(out.path / "Good.ini"));

  in.Put("Polish.ini", "; Polish\n[INTERFACE]\nCOMMAND1=Dalej\n");
  EXPECT_NE(Encode({"--check", in.path.string()}, in.path / "errors"), 0);
  EXPECT_NE(ReadFile(in.path / "errors").find("no CHARSET"), std::string::npos);
  in.Put("Polish.ini", "; Polish\n[CHARSET]\nCHARSET=1\n");
  EXPECT_NE(Encode({"--check", in.path.string()}, in.path / "errors"), 0);
  fs::remove(in.path / "Polish.ini");
  EXPECT_EQ(Encode({"--check", in.path.string()}, in.path / "errors"), 0) << ReadFile(in.path / "errors");
}

}  // namespace
}  // namespace vantrel::test
