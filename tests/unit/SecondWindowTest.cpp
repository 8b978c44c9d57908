// The command-line verbs, the secondary window they hand over to, and its
// language page.
#include <gtest/gtest.h>

#include "app/Program.h"
#include "lang/Language.h"
#include "lang/LanguageChoice.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

struct SecondWindow : ::testing::Test {
  StartMachine m;
  std::unique_ptr<Program> program;

  bool Run(const std::wstring& commandLine) {
    program = std::make_unique<Program>();
    return program->Start(commandLine);
  }
  SecondForm& second() { return *program->second; }
  Control& Button(int i) { return second().ui(L"LangArray", i); }
  // Language files named L01, L02, ... beside English.
  void PutOthers(int count) {
    for (int i = 1; i <= count; ++i)
      m.PutLanguage((i < 10 ? L"L0" : L"L") + std::to_wstring(i), "[INTERFACE]\r\nCOMMAND1=x\r\n");
  }
  // Where the language page puts button n with k files beside English, as
  // the three columns of the page read: column, then row in it.
  static Twips Expected(int n, int k) {
    const int second = k / 3 + 1, third = 2 * k / 3 + 1;
    // With one file both breaks fall on the first button; the first wins.
    const int column = n >= third && third != second ? 2 : n >= second ? 1 : 0;
    const int row = column == 2 ? n - third : column == 1 ? n - second : n;
    return {1320 + column * (1815 + 400), 2400 + row * (255 + 60), 1815, 255};
  }
};

void ExpectAt(const Control& c, const Twips& at) {
  EXPECT_EQ(c.Position().left, at.left) << c.Caption();
  EXPECT_EQ(c.Position().top, at.top) << c.Caption();
  EXPECT_EQ(c.Position().width, at.width) << c.Caption();
  EXPECT_EQ(c.Position().height, at.height) << c.Caption();
}

TEST_F(SecondWindow, LangShowsOnlyTheLanguagePageAndTheProcessLivesUntilOk) {
  m.files.PutFile(kAppFolder + L"\\back.jpg", "jpeg");
  // A display at 120 DPI: the window scales with it, so no warning.
  m.registry.SetValue(Hive::CurrentUser, L"Control Panel\\Desktop\\WindowMetrics", L"AppliedDPI", DwordValue(120));
  ASSERT_TRUE(Run(L"lang"));
  EXPECT_FALSE(program->start.ui.Visible());
  EXPECT_EQ(m.toolkit.shownForms, 1);
  EXPECT_TRUE(second().ui.Visible());
  EXPECT_EQ(second().ui.Caption(), L"Vantrel");
  ASSERT_TRUE(second().ui.Background());
  EXPECT_EQ(second().ui.Background()->source, kAppFolder + L"\\back.jpg");
  EXPECT_TRUE(second().Picture4->Visible());
  EXPECT_FALSE(second().Picture1->Visible());
  EXPECT_EQ(m.toolkit.focused, second().Command3);
  EXPECT_TRUE(m.dialogs.shown.empty());
  EXPECT_FALSE(m.toolkit.ended);
  m.toolkit.RunFor(5000);
  EXPECT_FALSE(m.toolkit.ended);
  second().Command3->Click();
  EXPECT_TRUE(m.toolkit.ended);
  EXPECT_FALSE(second().ui.Visible());
  EXPECT_EQ(m.Setting(L"Settings", L"Language"), L"English");
}

TEST_F(SecondWindow, VerbsMatchWholeAndWithCase) {
  const std::wstring browser = L"HTTP\\shell\\open\\command";
  m.registry.CreateKey(Hive::ClassesRoot, browser);
  m.registry.SetValue(Hive::ClassesRoot, browser, L"", StringValue(L"\"C:\\browser.exe\" \"%1\""));
  for (const wchar_t* normal : {L"", L"Lang", L" lang", L"lang ", L"help", L"UPDATES", L"lang subscribe"}) {
    ASSERT_TRUE(Run(normal)) << normal;
    EXPECT_TRUE(program->start.ui.Visible()) << normal;
    EXPECT_EQ(program->second, nullptr) << normal;
  }
  ASSERT_TRUE(Run(L"subscribe"));
  EXPECT_FALSE(program->start.ui.Visible());
  EXPECT_TRUE(second().Picture1->Visible());
  EXPECT_FALSE(second().Picture4->Visible());
  EXPECT_FALSE(m.toolkit.ended);
  const int shown = m.toolkit.shownForms;
  // "install" and "uninstall" end the process too; their own tests show what they do.
  for (const wchar_t* job : {L"updates", L"langaudit"}) {
    EXPECT_FALSE(Run(job)) << job;
    EXPECT_EQ(program->second, nullptr) << job;
  }
  EXPECT_EQ(m.toolkit.shownForms, shown);
  // Only "langaudit" says something: with English alone there is nothing to translate.
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].text, L"Interface translated completely.");
  // "updates" sends the user to the update page.
  ASSERT_EQ(m.shell.opened.size(), 1u);
  EXPECT_NE(m.shell.opened[0].find(L"updates"), std::wstring::npos);
}

TEST_F(SecondWindow, LinksStartTheProgramAgainWithTheirVerb) {
  ASSERT_TRUE(m.Start());
  m.form->ShowPage(7);
  m(L"Label43").Click();
  ASSERT_EQ(m.shell.started.size(), 1u);
  EXPECT_EQ(m.shell.started[0], L"\"" + kAppFolder + L"\\Vantrel.exe\" updates");
  EXPECT_FALSE(m.toolkit.ended);
  EXPECT_EQ(m.form->CurrentPage, 7);
  m(L"Label46").Click();
  ASSERT_EQ(m.shell.started.size(), 2u);
  EXPECT_EQ(m.shell.started[1], L"\"" + kAppFolder + L"\\Vantrel.exe\" subscribe");
  EXPECT_TRUE(m.toolkit.ended);
}

TEST_F(SecondWindow, OnlyEnglishGivesOneSelectedButton) {
  m.files.PutFile(kLanguages + L"\\Readme.txt", "not a language");
  ASSERT_TRUE(Run(L"lang"));
  EXPECT_EQ(second().LangArray.UBound(), 0);
  EXPECT_EQ(Button(0).Caption(), L"English");
  EXPECT_EQ(Button(0).Value(), 1);
  ExpectAt(Button(0), {1320, 2400, 1815, 255});
  // Without back.jpg the window shows on its plain background.
  EXPECT_EQ(second().ui.Background(), nullptr);
}

TEST_F(SecondWindow, ButtonsStandInThreeColumns) {
  for (const int k : {1, 2, 18}) {
    SCOPED_TRACE(k);
    PutOthers(k);
    ASSERT_TRUE(Run(L"lang"));
    ASSERT_EQ(second().LangArray.UBound(), k);
    ExpectAt(Button(0), {1320, 2400, 1815, 255});
    for (int n = 1; n <= k; ++n) {
      EXPECT_TRUE(Button(n).Visible());
      ExpectAt(Button(n), Expected(n, k));
    }
  }
  // Spelled out: beside English with one file; one row with two; with 18 the
  // 7th and the 13th button head the second and third columns.
  EXPECT_EQ(Expected(1, 1).left, 3535);
  EXPECT_EQ(Expected(2, 2).left, 5750);
  EXPECT_EQ(Expected(2, 2).top, 2400);
  EXPECT_EQ(Button(6).Position().top, 2400 + 6 * 315);
  ExpectAt(Button(7), {3535, 2400, 1815, 255});
  ExpectAt(Button(12), {3535, 2400 + 5 * 315, 1815, 255});
  ExpectAt(Button(13), {5750, 2400, 1815, 255});
  ExpectAt(Button(18), {5750, 2400 + 5 * 315, 1815, 255});
  EXPECT_EQ(Button(1).Caption(), L"L01");
  EXPECT_EQ(Button(18).Caption(), L"L18");
}

TEST_F(SecondWindow, TheStoredLanguageIsSelectedIgnoringCaseWithItsFlag) {
  m.PutLanguage(L"German", "[INTERFACE]\r\nCOMMAND1=Weiter\r\n");
  m.PutLanguage(L"Spain", "[INTERFACE]\r\nCOMMAND1=Siguiente\r\n");
  m.files.PutFile(kLanguages + L"\\German.jpg", "jpeg");
  m.Store(L"Settings", L"Language", L"german");
  ASSERT_TRUE(Run(L"lang"));
  ASSERT_EQ(second().LangArray.UBound(), 2);
  EXPECT_EQ(Button(1).Caption(), L"German");
  EXPECT_EQ(Button(1).Value(), 1);
  EXPECT_EQ(Button(0).Value() + Button(2).Value(), 0);
  ASSERT_TRUE(second().CFlag->picture());
  EXPECT_EQ(second().CFlag->picture()->source, kLanguages + L"\\German.jpg");
  // No flag for Spain: the picture is emptied.
  Button(2).Click();
  EXPECT_EQ(second().CFlag->picture(), nullptr);
  EXPECT_EQ(Button(1).Value(), 0);
  second().Command3->Click();
  EXPECT_EQ(m.Setting(L"Settings", L"Language"), L"Spain");
  EXPECT_TRUE(m.toolkit.ended);
  // The next start speaks the choice.
  ASSERT_TRUE(m.Start());
  EXPECT_EQ(m.form->ui.Caption(), L"Vantrel 3.07 Spain");
  EXPECT_EQ(m(L"Command1").Caption(), L"Siguiente");
}

TEST_F(SecondWindow, OddNamesInTheLanguageFolderStayCalm) {
  // A nameless ".ini" gives no empty button; an upper-case extension still
  // lists, as the "*.ini" pattern matches it.
  m.files.PutFile(kLanguages + L"\\.ini", "");
  m.files.PutFile(kLanguages + L"\\Dutch.INI", "[INTERFACE]\r\nCOMMAND1=x\r\n");
  m.files.PutFile(kLanguages + L"\\Notes.ini.txt", "");
  ASSERT_TRUE(Run(L"lang"));
  ASSERT_EQ(second().LangArray.UBound(), 1);
  EXPECT_EQ(Button(1).Caption(), L"Dutch");
  EXPECT_EQ(Button(0).Value(), 1);
}

TEST(LanguageChoice, KoreaCountsAnywhereInTheNameOnlyWithItsFile) {
  FakeMachine m;
  m.PutLanguage(L"English", "[CHARSET]\r\nCHARSET=0\r\n");
  ASSERT_TRUE(InitLanguage());
  m.system.country = L"Korea";
  EXPECT_EQ(DetectLanguage(), L"English");
  m.PutLanguage(L"Korean", "[CHARSET]\r\nCHARSET=129\r\n");
  for (const wchar_t* korea : {L"Korea", L"Republic of Korea", L"Korea, Republic of"}) {
    m.system.country = korea;
    EXPECT_EQ(DetectLanguage(), L"Korean") << korea;
  }
  m.system.country = L"korea";
  EXPECT_EQ(DetectLanguage(), L"English");
  // Whatever follows a NUL in the locale's answer is not part of the name.
  m.system.country = std::wstring(L"Egypt\0xx", 8);
  m.PutLanguage(L"Arabic", "[CHARSET]\r\nCHARSET=178\r\n");
  EXPECT_EQ(DetectLanguage(), L"Arabic");
}

}  // namespace
}  // namespace vantrel::test
