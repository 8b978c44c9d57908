// The translators' check, started with the verb "langaudit": the report of
// the interface texts each language file lacks.
#include <gtest/gtest.h>

#include "app/Program.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kReport = L"C:\\Users\\test\\AppData\\Roaming\\VNL\\temp.txt";

// Runs the verb; the process always ends. What it told the user, if anything.
std::wstring Audit(StartMachine& m) {
  Program program;
  EXPECT_FALSE(program.Start(L"langaudit"));
  return m.dialogs.shown.empty() ? L"" : m.dialogs.shown[0].text;
}

// Each file in list order with the English lines of the interface section
// (texts and comments) whose text it lacks or leaves empty; lines above the
// first section and other sections never count.
TEST(TranslationCheck, ReportsEachFilesMissingInterfaceTexts) {
  StartMachine m;
  m.Browser();
  m.PutLanguage(L"English",
                "; note=above every section\r\n[CHARSET]\r\nCHARSET=0\r\n"
                "[INTERFACE]\r\nCOMMAND1=Next\r\n;=====================\r\n; word=Comment text\r\n"
                "LABEL1=Welcome\r\n\r\nNOTE=\r\n[VERSION3]\r\nMODE1=Quick\r\n");
  m.PutLanguage(L"Spanish", "[INTERFACE]\r\nLABEL1=Bienvenido\r\n");
  m.PutLanguage(L"complete", "[INTERFACE]\r\nCOMMAND1=Weiter\r\n; word=Text\r\nLABEL1=Willkommen\r\nNOTE=x\r\n");
  m.PutLanguage(L"German", "[INTERFACE]\r\nCOMMAND1=Weiter\r\nLABEL1=\r\n[VERSION3]\r\n");
  EXPECT_EQ(Audit(m), L"");
  EXPECT_EQ(m.files.Contents(kReport),
            "================= COMPLETE =================\r\n\r\n"
            "================= GERMAN =================\r\n; word=Comment text\r\nLABEL1=Welcome\r\nNOTE=\r\n\r\n"
            "================= SPANISH =================\r\nCOMMAND1=Next\r\n; word=Comment text\r\nNOTE=\r\n\r\n\r\n");
  EXPECT_EQ(m.shell.opened, std::vector<std::wstring>{kReport});

  // A report the disk does not take is said, and nothing is opened.
  m.shell.opened.clear();
  m.files.faults.FailFrom(fake::FsOp::Write, 1, FsFailure::DiskFull);
  EXPECT_EQ(Audit(m), L"The report " + kReport + L" could not be written.");
  EXPECT_TRUE(m.shell.opened.empty());
}

// No English: nothing to compare with, and an earlier report stays as it
// was. (Only English, nothing to report: the verbs' test.)
TEST(TranslationCheck, WithoutEnglishItSaysSo) {
  StartMachine m;
  m.PutLanguage(L"German", "[INTERFACE]\r\nCOMMAND1=Weiter\r\n");
  m.Store(L"Settings", L"Language", L"German");
  m.files.RemoveFile(kLanguages + L"\\English.ini");
  m.files.PutFile(kReport, "an earlier report");
  m.dialogs.shown.clear();
  EXPECT_EQ(Audit(m), L"Language file English.ini not found! The translations cannot be checked.");
  EXPECT_EQ(m.files.Contents(kReport), "an earlier report");
  EXPECT_TRUE(m.shell.opened.empty());
}

}  // namespace
}  // namespace vantrel::test
