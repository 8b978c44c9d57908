#include <gtest/gtest.h>

#include "services/Environment.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

struct Wizard : ::testing::Test {
  StartMachine m;
  void SetUp() override {
    m.drives.Plug({L"D"});
    ASSERT_TRUE(m.Start());
  }
  void Next() { m(L"Command1").Click(); }
  void Back() { m(L"Command2").Click(); }
  int Page() { return m.form->CurrentPage; }
  // Walks from the welcome page to page 5 with disk D selected.
  void ToReview() {
    Next();
    m(L"DiskLabel", 1).Click();
    Next();
    Next();
    Next();
  }
};

TEST_F(Wizard, DiskPageRefusesToGoOnWithoutADisk) {
  Next();
  ASSERT_EQ(Page(), 2);
  EXPECT_TRUE(m.form->ui.timer(L"DiskListRefresher").Enabled());
  Next();
  EXPECT_EQ(Page(), 2);
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].text, m.Text(L"INTERFACE", L"PLEASESELECTONEDISK"));
  EXPECT_EQ(m.dialogs.shown[0].style, mb::Exclamation);
  m(L"DiskImage", 1).Click();
  Next();
  EXPECT_EQ(Page(), 3);
  EXPECT_FALSE(m.form->ui.timer(L"DiskListRefresher").Enabled());
}

TEST_F(Wizard, ReviewSummarisesTheChoices) {
  m(L"Label20").SetCaption(L"*left over*");
  m(L"Check4").Click();
  ToReview();
  ASSERT_EQ(Page(), 5);
  EXPECT_EQ(m(L"Label18").Caption(), L"D");
  EXPECT_EQ(m(L"Label40").Caption(), m.Text(L"INTERFACE", L"YES"));
  // Mode 1: no overwrite requested, whatever the method says.
  EXPECT_EQ(m(L"Label20").Caption(), m.Text(L"INTERFACE", L"NO"));
  EXPECT_EQ(m(L"Label19").Caption(), m(L"Option6").Caption() + L", FAT/NTFS: " + m(L"Option8").Caption());

  Back();
  Back();
  m(L"Option7").Click();
  m(L"Option9").Click();
  Next();
  m(L"Option3").Click();
  m(L"Check4").Click();
  Next();
  EXPECT_EQ(m(L"Label20").Caption(), m(L"Option3").Caption());
  EXPECT_EQ(m(L"Label19").Caption(), m(L"Option7").Caption() + L", FAT/NTFS: " + m(L"Option9").Caption());
  EXPECT_EQ(m(L"Label40").Caption(), m.Text(L"INTERFACE", L"NO"));
  EXPECT_EQ(m.Setting(L"SecurityWay", L"Value"), L"7");
  EXPECT_EQ(m.Setting(L"NTFSMODE", L"VALUE"), L"2");
  EXPECT_EQ(m.Setting(L"SecurityMethod", L"Value"), L"3");
}

TEST_F(Wizard, NextOnTheReviewPageStartsTheRun) {
  ToReview();
  Next();
  ASSERT_EQ(Page(), 6);
  EXPECT_FALSE(m(L"Command1").Visible());
  EXPECT_FALSE(m(L"Command2").Visible());
  EXPECT_TRUE(m(L"Command4").Enabled());
  EXPECT_FALSE(m.form->StopRequested);
  EXPECT_TRUE(m.form->ui.timer(L"worknow").Enabled());
  // The close box is refused while the run lasts.
  EXPECT_FALSE(m.form->ui.Close(0));
  EXPECT_EQ(m.dialogs.shown.back().text, m.Text(L"VERSION3", L"STOP-OPERATIONS-FIRST"));
  EXPECT_EQ(m.dialogs.shown.back().style, mb::Information);
  m(L"Label14").SetCaption(L"Estimated ...");
  m(L"Command4").Click();
  EXPECT_TRUE(m.form->StopRequested);
  EXPECT_FALSE(m(L"Command4").Enabled());
  EXPECT_EQ(m(L"Label14").Caption(), L"");
}

TEST_F(Wizard, BackStaysOnPageOneAndLeavesTheFinishPageForTheWelcome) {
  Back();
  EXPECT_EQ(Page(), 1);
  m.form->ShowPage(7);
  EXPECT_EQ(m(L"Command1").Caption(), m.Text(L"INTERFACE", L"FINISH"));
  Back();
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(m(L"Command1").Caption(), m.Text(L"INTERFACE", L"COMMAND1"));
  for (int i = 0; i <= 7; ++i) EXPECT_EQ(m(L"win", i).Visible(), i == 1);
}

TEST_F(Wizard, FinishClosesRemovesLeftoversAndEnds) {
  m.files.MakeFolders(L"D:\\VNL_temp");
  m.form->ShowPage(7);
  m.dialogs.shown.clear();
  m.form->ui.timer(L"PlayWAV").SetEnabled(true);
  m.form->ui.timer(L"turnoff").SetEnabled(true);
  Next();
  EXPECT_FALSE(m.form->ui.timer(L"PlayWAV").Enabled());
  EXPECT_FALSE(m.form->ui.timer(L"turnoff").Enabled());
  EXPECT_TRUE(m.toolkit.ended);
  EXPECT_FALSE(m.form->ui.Visible());
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp"));
  EXPECT_EQ(m.dialogs.shown.size(), 2u);
}

// A large leftover folder on D: its sweep lets the window answer many times
// while the disk page comes up. Next and Enter pressed meanwhile must not
// move the wizard on (with D chosen they would walk into a run).
TEST_F(Wizard, ButtonsWaitWhileALeftoverFolderIsSwept) {
  m.Store(L"DiskSelection", L"D", L"YES");
  for (int i = 0; i < 100; ++i) m.files.PutFile(L"D:\\VNL_temp\\f" + std::to_wstring(i), "x");
  m.files.refuse = [&](fake::FsOp op, const std::wstring&) {
    if (op == fake::FsOp::RemoveFile) m.clock.Sleep(10);
    return false;
  };
  m(L"Command2").SetEnabled(false);
  // Pressed while the folder is still there, on a Next that shows disabled.
  int pressedWhileHeld = 0;
  for (int i = 1; i <= 8; ++i)
    m.toolkit.At(m.clock.now + 100 * i, [&, i] {
      pressedWhileHeld += m.files.FolderExists(L"D:\\VNL_temp") && !m(L"Command1").Enabled();
      i % 2 ? m(L"Command1").Click() : m.form->ui.DefaultButton()->Click();  // a click, or Enter
    });
  Next();
  EXPECT_EQ(pressedWhileHeld, 8);
  EXPECT_EQ(Page(), 2);
  for (int i = 0; i <= 7; ++i) EXPECT_EQ(m(L"win", i).Visible(), i == 2);
  EXPECT_TRUE(m.form->ui.timer(L"DiskListRefresher").Enabled());
  EXPECT_FALSE(m.form->ui.timer(L"worknow").Enabled());
  EXPECT_FALSE(m.files.FileExists(Env().DataFolder + L"\\log.txt"));  // no run, not even a finished one
  EXPECT_TRUE(m(L"Command1").Enabled());
  EXPECT_FALSE(m(L"Command2").Enabled());  // as it was before the sweep
  // After the sweep Next works again.
  Next();
  EXPECT_EQ(Page(), 3);
}

TEST_F(Wizard, BackCancelsACountdownAndASound) {
  m.form->ShowPage(7);
  m.form->ui.timer(L"PlayWAV").SetEnabled(true);
  m.form->ui.timer(L"turnoff").SetEnabled(true);
  Back();
  EXPECT_FALSE(m.form->ui.timer(L"PlayWAV").Enabled());
  EXPECT_FALSE(m.form->ui.timer(L"turnoff").Enabled());
}

TEST_F(Wizard, ChoicesAreStoredTheMomentTheyChange) {
  m(L"Check3").Click();
  EXPECT_EQ(m.Setting(L"Settings", L"PlaySound"), L"NO");
  m(L"Check3").Click();
  EXPECT_EQ(m.Setting(L"Settings", L"PlaySound"), L"");
  m(L"Check7").Click();
  EXPECT_EQ(m.Setting(L"RunSecondWindow", L"Value"), L"YES");
  m(L"Check9").Click();
  EXPECT_EQ(m.Setting(L"Settings", L"SHOWGOODONLY"), L"YES");
  m(L"Option10").Click();
  EXPECT_EQ(m.Setting(L"NTFSMODE", L"VALUE"), L"3");
  EXPECT_EQ(m(L"Option8").Value(), 0);
  // Options of the other groups are untouched.
  EXPECT_EQ(m(L"Option6").Value(), 1);
  EXPECT_EQ(m(L"Option2").Value(), 1);
  m(L"Label12").Click();
  ASSERT_EQ(m.shell.started.size(), 1u);
  EXPECT_EQ(m.shell.started[0], L"\"" + kAppFolder + L"\\Vantrel.exe\" lang");
  EXPECT_TRUE(m.toolkit.ended);
}

}  // namespace
}  // namespace vantrel::test

namespace vantrel::test {
namespace {

TEST_F(Wizard, TheRunEndsOnTheFinishPageAfterStop) {
  ToReview();
  Next();
  m.toolkit.At(m.clock.now + 500, [&] { m(L"Command4").Click(); });
  m.toolkit.RunFor(100);
  EXPECT_EQ(Page(), 7);
  EXPECT_FALSE(m(L"Command4").Visible());
  EXPECT_TRUE(m(L"Command1").Visible());
  EXPECT_FALSE(m.form->ui.timer(L"worknow").Enabled());
  EXPECT_TRUE(m.form->ui.Close(0));
}

}  // namespace
}  // namespace vantrel::test
