// The translators' check, started with the verb "langaudit": the report of
// the interface texts each language file lacks.
#include <gtest/gtest.h>

#include "app/Program.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kReport = L"C:\\Users\\test\\AppData\\Roaming\\VNL\\temp.txt";

struct TranslationCheck : ::testing::Test {
  StartMachine m;
  TranslationCheck() {
    const std::wstring key = L"HTTP\\shell\\open\\command";
    m.registry.CreateKey(Hive::ClassesRoot, key);
    m.registry.SetValue(Hive::ClassesRoot, key, L"", StringValue(L"\"browser.exe\" \"%1\""));
  }
  // Runs the verb; the process always ends.
  void Audit() {
    Program program;
    EXPECT_FALSE(program.Start(L"langaudit"));
    EXPECT_EQ(program.second, nullptr);
  }
  std::string Report() {
    std::string bytes;
    m.files.ReadAll(kReport, bytes);
    return bytes;
  }
};

TEST_F(TranslationCheck, ReportsEachFilesMissingInterfaceTextsInListOrder) {
  m.PutLanguage(L"English",
                "[CHARSET]\r\nCHARSET=0\r\n"
                "[INTERFACE]\r\nCOMMAND1=Next\r\n;=====================\r\n; word=Comment text\r\n"
                "LABEL1=Welcome\r\n\r\nNOTE=\r\n"
                "[VERSION3]\r\nMODE1=Quick\r\n");
  m.PutLanguage(L"Spanish", "[INTERFACE]\r\nLABEL1=Bienvenido\r\n");
  m.PutLanguage(L"complete", "[INTERFACE]\r\nCOMMAND1=Weiter\r\n; word=Text\r\nLABEL1=Willkommen\r\nNOTE=x\r\n");
  // An empty text counts as missing; keys outside the interface never count.
  m.PutLanguage(L"German", "[INTERFACE]\r\nCOMMAND1=Weiter\r\nLABEL1=\r\n[VERSION3]\r\n");
  Audit();
  EXPECT_EQ(Report(),
            "================= COMPLETE =================\r\n"
            "\r\n"
            "================= GERMAN =================\r\n"
            "; word=Comment text\r\n"
            "LABEL1=Welcome\r\n"
            "NOTE=\r\n"
            "\r\n"
            "================= SPANISH =================\r\n"
            "COMMAND1=Next\r\n"
            "; word=Comment text\r\n"
            "NOTE=\r\n"
            "\r\n"
            "\r\n");
  ASSERT_EQ(m.shell.opened.size(), 1u);
  EXPECT_EQ(m.shell.opened[0], kReport);
  EXPECT_TRUE(m.dialogs.shown.empty());
}

TEST_F(TranslationCheck, EveryFileIsComparedAlikeWhenTheInterfaceComesLast) {
  // Lines above the first section are no interface texts, also for the
  // files after the first.
  m.PutLanguage(L"English", "; note=above every section\r\n[CHARSET]\r\nCHARSET=0\r\n[INTERFACE]\r\nCOMMAND1=Next\r\n");
  m.PutLanguage(L"A", "");
  m.PutLanguage(L"B", "");
  Audit();
  EXPECT_EQ(Report(),
            "================= A =================\r\nCOMMAND1=Next\r\n\r\n"
            "================= B =================\r\nCOMMAND1=Next\r\n\r\n\r\n");
}

TEST_F(TranslationCheck, AReportThatCannotBeWrittenIsSaidAndNotOpened) {
  m.PutLanguage(L"German", "");
  m.files.faults.FailFrom(fake::FsOp::Write, 1, FsFailure::DiskFull);
  Audit();
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].text, L"The report " + kReport + L" could not be written.");
  EXPECT_TRUE(m.shell.opened.empty());
}

TEST_F(TranslationCheck, OnlyEnglishIsTranslatedCompletely) {
  Audit();
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].text, L"Interface translated completely.");
  EXPECT_EQ(m.dialogs.shown[0].style, mb::OkOnly);
  EXPECT_FALSE(m.files.FileExists(kReport));
  EXPECT_TRUE(m.shell.opened.empty());
}

TEST_F(TranslationCheck, WithoutEnglishItSaysSoAndWritesNothing) {
  m.PutLanguage(L"German", "[INTERFACE]\r\nCOMMAND1=Weiter\r\n");
  m.Store(L"Settings", L"Language", L"German");
  m.files.RemoveFile(kLanguages + L"\\English.ini");
  m.files.PutFile(kReport, "an earlier report");
  Audit();
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].text, L"Language file English.ini not found! The translations cannot be checked.");
  EXPECT_EQ(m.dialogs.shown[0].style, mb::Exclamation);
  EXPECT_EQ(Report(), "an earlier report");
  EXPECT_TRUE(m.shell.opened.empty());
}

}  // namespace
}  // namespace vantrel::test
