#include <gtest/gtest.h>

#include "services/Settings.h"
#include "lang/Charset.h"
#include "lang/Language.h"
#include "lang/LanguageChoice.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

const std::string kEnglish =
    "[CHARSET]\r\nCHARSET=0\r\n"
    "[INTERFACE]\r\nCOMMAND1=Next\r\nLABEL8=Finished\r\nLONG=" + std::string(800, 'x') + "\r\n"
    "[VERSION3]\r\nMODE1=Quick\r\n";

struct Language : ::testing::Test {
  FakeMachine m;
  void SetUp() override { m.PutLanguage(L"English", kEnglish); }
  void Choose(const std::wstring& name) { WriteSetting(kProgramSettings, L"Settings", L"Language", name); }
  std::wstring Stored() { return ReadSetting(kProgramSettings, L"Settings", L"Language"); }
};

TEST_F(Language, LooksUpTheCurrentFileThenEnglishThenShowsTheGap) {
  m.PutLanguage(L"German", "[INTERFACE]\r\ncommand1=Weiter\r\nLABEL8=   \r\n");
  Choose(L"German");
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(LangText(L"INTERFACE", L"COMMAND1"), L"Weiter");
  EXPECT_EQ(LangText(L"interface", L"Command1"), L"Weiter");
  // A blank value counts as missing and comes from English.
  EXPECT_EQ(LangText(L"INTERFACE", L"LABEL8"), L"Finished");
  EXPECT_EQ(LangText(L"VERSION3", L"MODE1"), L"Quick");
  EXPECT_EQ(LangText(L"INTERFACE", L"LONG"), std::wstring(749, L'x'));
  EXPECT_EQ(LangText(L"INTERFACE", L"NOPE"), L"German error, text not found: INTERFACE, NOPE");
  // German has no CHARSET of its own: English's 0.
  EXPECT_EQ(Lang().LanguageCharset, 0);
}

TEST_F(Language, MissingFromEnglishToo) {
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(LangText(L"ERRORS", L"X-Y"), L"English error, text not found: ERRORS, X-Y");
}

TEST_F(Language, MissingFolderEndsTheProgramAndChangesNothing) {
  m.files.RemoveFile(kLanguages + L"\\English.ini");
  m.files.RemoveFolder(kLanguages);
  Choose(L"German");
  EXPECT_FALSE(InitLanguage());
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].text, L"Languages not found! Reinstall program!");
  EXPECT_EQ(m.dialogs.shown[0].style, mb::Critical);
  EXPECT_EQ(Stored(), L"German");
}

TEST_F(Language, StoredLanguageWithoutItsFileResetsToEnglish) {
  Choose(L"Klingon");
  EXPECT_FALSE(InitLanguage());
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].text, L"Language file Klingon not found! Restart/reinstall program!");
  EXPECT_EQ(Stored(), L"English");
  // The next start runs in English.
  m.dialogs.shown.clear();
  EXPECT_TRUE(InitLanguage());
  EXPECT_TRUE(m.dialogs.shown.empty());
  EXPECT_EQ(Lang().LanguageName, L"English");
}

TEST_F(Language, FirstStartDetectsTheLanguageFromTheCountryAndStoresIt) {
  m.PutLanguage(L"Korean", "[INTERFACE]\r\nCOMMAND1=x\r\n");
  m.PutLanguage(L"Arabic", "[INTERFACE]\r\nCOMMAND1=x\r\n");
  m.system.country = L"Korea, Republic of";
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(Lang().LanguageName, L"Korean");
  EXPECT_EQ(Stored(), L"Korean");
  m.system.country = L"Egypt";
  EXPECT_EQ(DetectLanguage(), L"Arabic");
  m.system.country = L"egypt";  // case counts
  EXPECT_EQ(DetectLanguage(), L"English");
  m.system.country = L"Germany";  // no German.ini
  EXPECT_EQ(DetectLanguage(), L"English");
  m.system.country = L"";
  EXPECT_EQ(DetectLanguage(), L"English");
}

TEST_F(Language, CharsetDecidesHowTextsAreDecoded) {
  // "Далее" in Windows-1251, read on a Western system.
  m.PutLanguage(L"Russian", "[CHARSET]\r\nCHARSET=204\r\n[INTERFACE]\r\nCOMMAND1=\xC4\xE0\xEB\xE5\xE5\r\n");
  Choose(L"Russian");
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(Lang().LanguageCharset, 204);
  EXPECT_EQ(LangText(L"INTERFACE", L"COMMAND1"), L"\u0414\u0430\u043B\u0435\u0435");
  // Fallback texts are decoded as English's own file says.
  EXPECT_EQ(LangText(L"INTERFACE", L"LABEL8"), L"Finished");
}

// CHARSET 1 is the system's default set: the file is in the system's own
// code page, whatever that is, while a named set keeps its code page on any
// system.
TEST_F(Language, DefaultCharsetFollowsTheSystemsCodePage) {
  // "Łódź" in Windows-1250, on a Polish system.
  m.codec.ansiCodePage = 1250;
  m.PutLanguage(L"Polish", "[CHARSET]\r\nCHARSET=1\r\n[INTERFACE]\r\nCOMMAND1=\xA3\xF3" "d\x9F\r\n");
  m.PutLanguage(L"Russian", "[CHARSET]\r\nCHARSET=1\r\n[INTERFACE]\r\nCOMMAND1=\xC4\xE0\xEB\xE5\xE5\r\n");
  m.PutLanguage(L"French", "[CHARSET]\r\nCHARSET=0\r\n[INTERFACE]\r\nCOMMAND1=Acc\xE8s\r\n");
  m.PutLanguage(L"Ukrainian", "[CHARSET]\r\nCHARSET=204\r\n[INTERFACE]\r\nCOMMAND1=\xB2\xBF\r\n");
  m.PutLanguage(L"Symbols", "[CHARSET]\r\nCHARSET=2\r\n[INTERFACE]\r\nCOMMAND1=\xA3\xF3" "d\x9F\r\n");
  Choose(L"Polish");
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(Lang().LanguageCharset, 1);
  EXPECT_EQ(LangText(L"INTERFACE", L"COMMAND1"), L"\u0141\u00F3d\u017A");
  Choose(L"French");
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(LangText(L"INTERFACE", L"COMMAND1"), L"Acc\u00E8s");
  Choose(L"Ukrainian");
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(LangText(L"INTERFACE", L"COMMAND1"), L"\u0406\u0457");
  // A set without a code page of its own is read as the system would.
  Choose(L"Symbols");
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(Lang().LanguageCharset, 2);
  EXPECT_EQ(LangText(L"INTERFACE", L"COMMAND1"), L"\u0141\u00F3d\u017A");

  m.codec.ansiCodePage = 1251;
  Choose(L"Russian");
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(LangText(L"INTERFACE", L"COMMAND1"), L"\u0414\u0430\u043B\u0435\u0435");
  Choose(L"French");
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(LangText(L"INTERFACE", L"COMMAND1"), L"Acc\u00E8s");
}

TEST(Charset, ParsingAndCodePages) {
  EXPECT_EQ(ParseCharset(L"204"), 204);
  EXPECT_EQ(ParseCharset(L" 161 "), 161);
  EXPECT_EQ(ParseCharset(L"186.9"), 186);
  EXPECT_EQ(ParseCharset(L"Cyrillic"), 1);
  EXPECT_EQ(ParseCharset(L"English error, text not found: CHARSET, CHARSET"), 1);
  EXPECT_EQ(ParseCharset(L"99999"), 1);
  EXPECT_EQ(ParseCharset(L""), 1);
  EXPECT_EQ(CodePageForCharset(1, 1250), 1250u);
  EXPECT_EQ(CodePageForCharset(1, 932), 932u);
  EXPECT_EQ(CodePageForCharset(0, 1251), 1252u);
  EXPECT_EQ(CodePageForCharset(204, 1252), 1251u);
  EXPECT_EQ(CodePageForCharset(204, 1250), 1251u);
  EXPECT_EQ(CodePageForCharset(128, 1252), 932u);
  EXPECT_EQ(CodePageForCharset(2, 1253), 1253u);
  EXPECT_EQ(CodePageForCharset(-5, 1257), 1257u);
}

TEST_F(Language, BrokenFilesNeverBreakTheLookup) {
  std::string garbage(5000, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 37);
  m.PutLanguage(L"Broken", garbage);
  m.PutLanguage(L"Flat", "COMMAND1=no sections\r\n" + std::string(10000, 'y') + "\r\n");
  Choose(L"Broken");
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(LangText(L"INTERFACE", L"COMMAND1"), L"Next");
  EXPECT_EQ(Lang().LanguageCharset, 0);
  Choose(L"Flat");
  ASSERT_TRUE(InitLanguage());
  EXPECT_EQ(LangText(L"INTERFACE", L"COMMAND1"), L"Next");
}

}  // namespace
}  // namespace vantrel::test
