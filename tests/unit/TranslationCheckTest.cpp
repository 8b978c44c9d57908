// The translators' check, started with the verb "langaudit": the report of
// the interface texts each language file lacks.
#include <gtest/gtest.h>

#include "app/Program.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kReport = L"C:\\Users\\test\\AppData\\Roaming\\VNL\\temp.txt";

// Each file in list order with the English lines of the interface section
// (texts and comments) whose text it lacks or leaves empty; lines above the
// first section and other sections never count. A report the disk does not
// take, or no English to compare with, is said, and nothing is opened.
TEST(TranslationCheck, ReportsEachFilesMissingInterfaceTextsOrSaysWhyNot) {
  StartMachine m;
  m.Browser();
  m.PutLanguage(L"English",
                "; note=above every section\r\n[CHARSET]\r\nCHARSET=0\r\n"
                "[INTERFACE]\r\nCOMMAND1=Next\r\n;=====================\r\n; word=Comment text\r\n"
                "LABEL1=Welcome\r\n\r\nNOTE=\r\n[VERSION3]\r\nMODE1=Quick\r\n");
  m.PutLanguage(L"Spanish", "[INTERFACE]\r\nLABEL1=Bienvenido\r\n");
  m.PutLanguage(L"complete", "[INTERFACE]\r\nCOMMAND1=Weiter\r\n; word=Text\r\nLABEL1=Willkommen\r\nNOTE=x\r\n");
  m.PutLanguage(L"German", "[INTERFACE]\r\nCOMMAND1=Weiter\r\nLABEL1=\r\n[VERSION3]\r\n");
  auto audit = [&m] {
    m.dialogs.shown.clear();
    EXPECT_FALSE(Program().Start(L"langaudit"));  // the process always ends
    return m.Boxes();
  };
  m.files.faults.FailFrom(fake::FsOp::Write, 1, FsFailure::DiskFull);
  EXPECT_EQ(audit(), Texts{L"The report " + kReport + L" could not be written."});
  EXPECT_TRUE(m.shell.opened.empty());
  m.files.faults.Clear();
  EXPECT_EQ(audit(), Texts{});
  const std::string report =
      "================= COMPLETE =================\r\n\r\n"
      "================= GERMAN =================\r\n; word=Comment text\r\nLABEL1=Welcome\r\nNOTE=\r\n\r\n"
      "================= SPANISH =================\r\nCOMMAND1=Next\r\n; word=Comment text\r\nNOTE=\r\n\r\n\r\n";
  EXPECT_EQ(m.files.Contents(kReport), report);
  EXPECT_EQ(m.shell.opened, Texts{kReport});
  // Without English the earlier report stays as it was.
  m.Store(L"Settings", L"Language", L"German");
  m.files.RemoveFile(kLanguages + L"\\English.ini");
  EXPECT_EQ(audit(), Texts{L"Language file English.ini not found! The translations cannot be checked."});
  EXPECT_EQ(m.files.Contents(kReport), report);
  EXPECT_EQ(m.shell.opened.size(), 1u);
}

}  // namespace
}  // namespace vantrel::test
