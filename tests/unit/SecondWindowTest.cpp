// The command-line verbs, the secondary window they hand over to, and its
// language page.
#include <gtest/gtest.h>

#include "app/Program.h"
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
  Control& Button(int i) { return second().language.languages[i]; }
};

// "lang": the language page alone, the stored language selected (its name
// compared without case) with its flag; the process lives until OK, which
// stores the choice.
TEST_F(SecondWindow, LangShowsTheLanguagePageAloneAndOkStoresTheChoiceAndEnds) {
  for (const wchar_t* name : {L"German", L"Spain"}) m.PutLanguage(name, "[INTERFACE]\r\nCOMMAND1=x\r\n");
  m.files.PutFile(kLanguages + L"\\German.jpg", "jpeg");
  // A nameless ".ini" gives no button; an upper-case extension still lists.
  for (const wchar_t* odd : {L".ini", L"Dutch.INI", L"Notes.ini.txt"}) m.files.PutFile(kLanguages + L"\\" + odd, "");
  m.Store(L"Settings", L"Language", L"german");
  ASSERT_TRUE(Run(L"lang"));
  EXPECT_TRUE(second().language.page.Visible() && !program->start.ui.Visible());
  ASSERT_EQ(second().language.languages.UBound(), 3);
  std::wstring captions;
  for (int i = 0; i <= 3; ++i) captions += Button(i).Caption() + (Button(i).Value() ? L"*" : L" ");
  EXPECT_EQ(captions, L"English Dutch German*Spain ");
  EXPECT_EQ(second().language.flag.picture()->source, kLanguages + L"\\German.jpg");
  Button(3).Click();  // no flag for Spain: the picture is emptied
  EXPECT_EQ(second().language.flag.picture(), nullptr);
  m.toolkit.RunFor(5000);
  EXPECT_FALSE(m.toolkit.ended);
  second().language.ok.Click();
  EXPECT_TRUE(m.toolkit.ended && !second().ui.Visible());
  EXPECT_EQ(m.Setting(L"Settings", L"Language"), L"Spain");
}

TEST_F(SecondWindow, VerbsMatchWholeAndWithCaseAndTheLinksStartThemOrSaySo) {
  m.Browser();
  for (const wchar_t* normal : {L"", L"Lang", L" lang", L"lang ", L"help", L"UPDATES", L"lang subscribe"}) {
    ASSERT_TRUE(Run(normal)) << normal;
    EXPECT_TRUE(program->start.ui.Visible() && !program->second) << normal;
  }
  ASSERT_TRUE(Run(L"subscribe"));
  EXPECT_TRUE(second().subscription.page.Visible() && !program->start.ui.Visible());
  const int shown = m.toolkit.shownForms;
  for (const wchar_t* job : {L"updates", L"langaudit"}) EXPECT_FALSE(Run(job) || program->second) << job;
  EXPECT_EQ(m.toolkit.shownForms, shown);
  EXPECT_EQ(m.Boxes(), std::vector<std::wstring>{L"Interface translated completely."});
  ASSERT_EQ(m.shell.opened.size(), 1u);
  EXPECT_NE(m.shell.opened[0].find(L"updates"), std::wstring::npos);
  // The links: the update check leaves the window, the others end it.
  ASSERT_TRUE(Run(L""));
  StartForm& f = program->start;
  const std::wstring exe = L"\"" + kAppFolder + L"\\Vantrel.exe\" ";
  for (auto [link, verb, ends] : {std::tuple{&f.finish.updates, L"updates", false}, {&f.finish.newsletter, L"subscribe", true},
                                  {&f.welcome.languageLink, L"lang", true}}) {
    m.toolkit.ended = false;
    link->Click();
    EXPECT_EQ(m.shell.started.back(), exe + verb);
    EXPECT_EQ(m.toolkit.ended, ends) << verb;
  }
  // A program that cannot start again says so and leaves the window.
  m.shell.startResult = false;
  m.toolkit.ended = false;
  ASSERT_TRUE(Run(L""));
  program->start.welcome.languageLink.Click();
  EXPECT_FALSE(m.toolkit.ended || !program->start.ui.Visible());
  EXPECT_EQ(m.Boxes().back(), Text(L"ERRORS", L"NOT-STARTED-AGAIN"));
}

// However many languages there are, each has a button of its own, whole
// inside the window.
TEST_F(SecondWindow, EveryLanguageHasAVisibleButtonOfItsOwn) {
  for (int i = 1; i <= 18; ++i) m.PutLanguage(L"L" + std::to_wstring(i), "[INTERFACE]\r\nCOMMAND1=x\r\n");
  ASSERT_TRUE(Run(L"lang"));
  ASSERT_EQ(second().language.languages.UBound(), 18);
  for (int i = 0; i <= 18; ++i) {
    const Twips& p = Button(i).Position();
    EXPECT_TRUE(Button(i).Visible() && p.left + p.width <= second().ui.Width() && p.top + p.height <= second().ui.Height());
    for (int j = 0; j < i; ++j) {
      const Twips& q = Button(j).Position();
      EXPECT_TRUE(p.left >= q.left + q.width || q.left >= p.left + p.width || p.top >= q.top + q.height ||
                  q.top >= p.top + p.height) << i << " overlaps " << j;
    }
  }
}

}  // namespace
}  // namespace vantrel::test
