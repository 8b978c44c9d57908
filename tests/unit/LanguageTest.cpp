#include <gtest/gtest.h>

#include "lang/Charset.h"
#include "lang/Language.h"
#include "lang/LanguageChoice.h"
#include "lang/LanguageState.h"
#include "services/Settings.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

struct Language : ::testing::Test {
  FakeMachine m;
  void SetUp() override {
    m.PutLanguage(L"English", "[CHARSET]\r\nCHARSET=0\r\n[INTERFACE]\r\nCOMMAND1=Next\r\nLABEL8=Finished\r\nLONG=" +
                                  std::string(800, 'x') + "\r\n");
  }
  void Choose(const std::wstring& name) { WriteSetting(kProgramSettings, L"Settings", L"Language", name); }
  std::wstring Stored() { return ReadSetting(kProgramSettings, L"Settings", L"Language"); }
};

// The current file, then English (a blank text counts as missing), then a
// visible gap; broken files never break the lookup.
TEST_F(Language, LooksUpTheCurrentFileThenEnglishThenShowsTheGap) {
  m.PutLanguage(L"German", "[INTERFACE]\r\ncommand1=Weiter\r\nLABEL8=   \r\n");
  Choose(L"German");
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(LangText(L"interface", L"Command1") + L"|" + LangText(L"INTERFACE", L"LABEL8"), L"Weiter|Finished");
  EXPECT_EQ(LangText(L"INTERFACE", L"LONG"), std::wstring(749, L'x'));
  EXPECT_EQ(LangText(L"INTERFACE", L"NOPE"), L"German error, text not found: INTERFACE, NOPE");
  std::string garbage(5000, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 37);
  m.PutLanguage(L"Broken", garbage);
  Choose(L"Broken");
  ASSERT_TRUE(InitLanguage());
  EXPECT_TRUE(LangText(L"INTERFACE", L"COMMAND1") == L"Next" && Lang().LanguageCharset == 0);
}

// A missing folder ends the program and changes nothing; a stored language
// without its file ends this start and puts English back for the next.
TEST_F(Language, MissingFilesEndTheStartAndEnglishComesBack) {
  Choose(L"Klingon");
  EXPECT_FALSE(InitLanguage());
  EXPECT_EQ(m.dialogs.shown.at(0).text, L"Language file Klingon not found! Restart/reinstall program!");
  EXPECT_EQ(Stored(), L"English");
  EXPECT_TRUE(InitLanguage());
  m.files.RemoveFile(kLanguages + L"\\English.ini");
  m.files.RemoveFolder(kLanguages);
  Choose(L"German");
  EXPECT_FALSE(InitLanguage());
  EXPECT_EQ(m.dialogs.shown.at(1).text, L"Languages not found! Reinstall program!");
  EXPECT_EQ(m.dialogs.shown.at(1).style, mb::Critical);
  EXPECT_EQ(Stored(), L"German");
}

// A first start takes the language of the user's country when its file
// is installed. (That it keeps it: the first-run journey, in a German locale.)
TEST_F(Language, TheCountrysLanguageIsChosenOnlyWhenItsFileIsThere) {
  for (const wchar_t* name : {L"Korean", L"Arabic"}) m.PutLanguage(name, "[INTERFACE]\r\nCOMMAND1=x\r\n");
  const std::pair<std::wstring, const wchar_t*> countries[] = {
      {L"Egypt", L"Arabic"},         {L"egypt", L"English"}, {L"Germany", L"English"},
      {L"", L"English"},             {L"Republic of Korea", L"Korean"},  // "Korea" anywhere in the name
      {std::wstring(L"Egypt\0xx", 8), L"Arabic"}};                     // a NUL ends the locale's answer
  for (const auto& [country, language] : countries) {
    m.system.country = country;
    EXPECT_EQ(DetectLanguage(), language) << country;
  }
}

// A file's CHARSET names the code page of its texts, whatever the system's;
// the default set 1, and a set without a code page of its own, read as the
// system's own; a CHARSET that is no number is the default. Fallback texts
// are read as English's own file says.
TEST_F(Language, TheCharsetDecidesHowTextsAreRead) {
  for (auto [system, charset, bytes, text] :
       {std::tuple{1252u, "204", "\xC4\xE0\xEB\xE5\xE5", L"\u0414\u0430\u043B\u0435\u0435"},
        {1250u, "1", "\xA3\xF3\x64\x9F", L"\u0141\u00F3d\u017A"},
        {1251u, "0", "Acc\xE8s", L"Acc\u00E8s"},
        {1250u, "2", "\xA3\xF3", L"\u0141\u00F3"},
        {1251u, "Cyrillic", "\xC4\xE0", L"\u0414\u0430"},
        {1253u, "161.9", "\xE1", L"\u03B1"}}) {
    m.codec.ansiCodePage = system;
    m.PutLanguage(L"Other",
                  std::string("[CHARSET]\r\nCHARSET=") + charset + "\r\n[INTERFACE]\r\nCOMMAND1=" + bytes + "\r\n");
    Choose(L"Other");
    ASSERT_TRUE(InitLanguage());
    EXPECT_EQ(LangText(L"INTERFACE", L"COMMAND1"), text) << charset << " on " << system;
    EXPECT_EQ(LangText(L"INTERFACE", L"LABEL8"), L"Finished");
  }
  EXPECT_EQ(ParseCharset(L"99999"), 1);
}

}  // namespace
}  // namespace vantrel::test
