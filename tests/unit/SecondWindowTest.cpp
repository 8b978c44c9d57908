// The command-line verbs, the secondary window they hand over to, its
// language page, and the translators' check.
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

// A verb hands over only when it is the whole command line, in its case; the
// links start the program again with theirs, or say that it could not.
TEST_F(SecondWindow, VerbsMatchWholeAndWithCaseAndTheLinksStartThemOrSaySo) {
  for (const wchar_t* normal : {L"", L"Lang", L" lang", L"lang ", L"help", L"UPDATES", L"lang subscribe",
                                 L"Clean D:", L"cleaner D:"}) {
    ASSERT_TRUE(Run(normal)) << normal;
    EXPECT_TRUE(program->start.ui.Visible() && !program->second) << normal;
  }
  for (const wchar_t* job : {L"updates", L"langaudit"}) EXPECT_FALSE(Run(job) || program->second) << job;
  EXPECT_EQ(m.toolkit.shownForms, 9);
  EXPECT_EQ(m.Boxes(), Texts{L"Interface translated completely."});
  ASSERT_TRUE(Run(L""));
  m.shell.startResult = false;
  m.toolkit.ended = false;
  program->start.welcome.languageLink.Click();
  EXPECT_FALSE(m.toolkit.ended || !program->start.ui.Visible());
  EXPECT_EQ(m.Boxes().back(), Text(L"ERRORS", L"NOT-STARTED-AGAIN"));
  m.shell.startResult = true;
  program->start.finish.newsletter.Click();
  EXPECT_TRUE(m.toolkit.ended && m.shell.started.back() == L"\"" + kAppFolder + L"\\Vantrel.exe\" subscribe");
}

// "langaudit": each file in list order with the English lines of the
// interface section (texts and comments) whose text it lacks or leaves
// empty; lines above the first section and other sections never count. A
// report the disk does not take is said, and nothing is opened. (Only
// English, nothing to report: the verbs' test.)
TEST_F(SecondWindow, LangauditReportsEachFilesMissingInterfaceTextsOrThatItCannot) {
  const std::wstring target = L"C:\\Users\\test\\AppData\\Roaming\\VNL\\temp.txt";
  m.Browser();
  m.PutLanguage(L"English", "; note=above every section\r\n[INTERFACE]\r\nCOMMAND1=Next\r\n;=========\r\n"
                            "; word=Comment\r\nLABEL1=Welcome\r\n[VERSION3]\r\nMODE1=Quick\r\n");
  m.PutLanguage(L"Spanish", "[INTERFACE]\r\nLABEL1=Bienvenido\r\n");
  m.PutLanguage(L"German", "[INTERFACE]\r\nCOMMAND1=Weiter\r\nLABEL1=\r\n[VERSION3]\r\n");
  m.files.faults.FailFrom(fake::FsOp::Write, 1, FsFailure::DiskFull);
  EXPECT_FALSE(Run(L"langaudit"));
  EXPECT_EQ(m.Boxes(), Texts{L"The report " + target + L" could not be written."});
  EXPECT_TRUE(m.shell.opened.empty());
  m.files.faults.Clear();
  EXPECT_FALSE(Run(L"langaudit"));
  EXPECT_EQ(m.dialogs.shown.size(), 1u);  // no more to say
  EXPECT_EQ(m.files.Contents(target),
            "================= GERMAN =================\r\n; word=Comment\r\nLABEL1=Welcome\r\n\r\n"
            "================= SPANISH =================\r\nCOMMAND1=Next\r\n; word=Comment\r\n\r\n\r\n");
  EXPECT_EQ(m.shell.opened, Texts{target});
}

}  // namespace
}  // namespace vantrel::test
