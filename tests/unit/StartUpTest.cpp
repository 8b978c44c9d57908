#include <gtest/gtest.h>

#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

TEST(StartUp, TheSkippedWelcomeTheLanguagesCharacterSetAndThePagingFileOptionOnlyAtOne) {
  StartMachine m;
  m.PutLanguage(L"Russian", "[CHARSET]\r\nCHARSET=204\r\n[INTERFACE]\r\nLABEL8=\xC3\xEE\xF2\xEE\xE2\xEE\r\n");
  m.Store(L"Settings", L"Language", L"Russian");
  m.Store(L"RunSecondWindow", L"Value", L"YES");
  const std::wstring memory = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
  m.registry.CreateKey(Hive::LocalMachine, memory);
  m.registry.SetValue(Hive::LocalMachine, memory, L"ClearPageFileAtShutdown", StringValue(L"yes"));
  ASSERT_TRUE(m.Start());
  StartForm& f = *m.form;
  EXPECT_EQ(f.wizard.CurrentPage(), 2);
  EXPECT_TRUE(f.disks.driveWatch.Enabled());
  EXPECT_EQ(f.disks.letters[0].Caption(), L"C");
  for (const Control* text : {&f.finish.title, &f.run.stepTitles[2], &f.history.list, &f.review.mode})
    EXPECT_EQ(text->FontCharset(), 204) << text->name();
  for (const Control* own : {&f.wizard.buttons.next, &f.welcome.languageLink, &f.run.freeBytes})
    EXPECT_EQ(own->FontCharset(), 1) << own->name();
  EXPECT_EQ(f.finish.title.Caption(), L"\u0413\u043E\u0442\u043E\u0432\u043E");
  EXPECT_EQ(f.ui.Caption(), L"Vantrel 3.07 Russian");
  EXPECT_EQ(f.method.pagingFile.Value(), 0);
}

TEST(StartUp, AMissingBackgroundEndsWithTheCriticalMessage) {
  StartMachine m;
  m.files.RemoveFile(kAppFolder + L"\\program-back.jpg");
  EXPECT_FALSE(m.Start());
  EXPECT_EQ(m.Boxes(), std::vector<std::wstring>{L"No background image! Reinstall program!"});
  EXPECT_EQ(m.dialogs.shown[0].style, mb::Critical);
  EXPECT_EQ(m.toolkit.shownForms, 0);
}

}  // namespace
}  // namespace vantrel::test
