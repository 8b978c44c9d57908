#include <gtest/gtest.h>

#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

// A Russian file: its texts in Cyrillic and in their fonts' character set,
// while the program's own captions keep the system's. The welcome skipped,
// the start shows the disk page with its drives watched.
TEST(StartUp, TheSkippedWelcomeAndTheLanguagesCharacterSetForItsTextsOnly) {
  StartMachine m;
  m.PutLanguage(L"Russian", "[CHARSET]\r\nCHARSET=204\r\n[INTERFACE]\r\nLABEL8=\xC3\xEE\xF2\xEE\xE2\xEE\r\n");
  m.Store(L"Settings", L"Language", L"Russian");
  m.Store(L"RunSecondWindow", L"Value", L"YES");
  ASSERT_TRUE(m.Start());
  StartForm& f = *m.form;
  EXPECT_TRUE(f.wizard.CurrentPage() == 2 && f.disks.driveWatch.Enabled());
  EXPECT_EQ(f.disks.letters[0].Caption(), L"C");
  for (const Control* text : {&f.finish.title, &f.run.stepTitles[2], &f.history.list, &f.review.mode})
    EXPECT_EQ(text->FontCharset(), 204) << text->name();
  for (const Control* own : {&f.wizard.buttons.next, &f.welcome.languageLink, &f.run.freeBytes})
    EXPECT_EQ(own->FontCharset(), 1) << own->name();
  EXPECT_EQ(f.finish.title.Caption(), L"\u0413\u043E\u0442\u043E\u0432\u043E");
  EXPECT_EQ(f.ui.Caption(), L"Vantrel 3.07 Russian");
}

}  // namespace
}  // namespace vantrel::test
