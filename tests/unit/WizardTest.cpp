#include <gtest/gtest.h>

#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

struct Wizard : Window {
  void SetUp() override {
    m.Disk(L'D');
    Begin();
  }
  // From the welcome page to the review with disk D.
  void ToReview() {
    Next();
    Choose(L"D");
    for (int i = 0; i < 3; ++i) Next();
  }
};

TEST_F(Wizard, TheReviewShowsTheChoices) {
  ToReview();
  const ReviewPage& r = f->review;
  EXPECT_EQ(r.disks.Caption(), L"D");
  // Quick cleaning overwrites no free space, whatever the method says.
  EXPECT_EQ(r.action.Caption() + r.bin.Caption(), Text(L"INTERFACE", L"NO") + Text(L"INTERFACE", L"NO"));
  EXPECT_EQ(r.mode.Caption(), f->modes.quick.Caption() + L", FAT/NTFS: " + f->modes.normal.Caption());
  Back();
  Back();
  for (Control* c : {&f->modes.full, &f->modes.thorough, &f->method.randomDigits, &f->method.emptyBin}) c->Click();
  Next();
  Next();
  EXPECT_EQ(r.action.Caption(), f->method.randomDigits.Caption());
  EXPECT_EQ(r.bin.Caption(), Text(L"INTERFACE", L"YES"));
  EXPECT_EQ(r.mode.Caption(), f->modes.full.Caption() + L", FAT/NTFS: " + f->modes.thorough.Caption());
  // The record modes are a group of their own.
  f->modes.maximum.Click();
  EXPECT_EQ(f->modes.thorough.Value() + f->modes.full.Value(), 1);
}

TEST_F(Wizard, NextOnTheReviewStartsTheRunWhichRefusesTheCloseBoxUntilStopEndsIt) {
  ToReview();
  Next();
  ASSERT_EQ(Page(), 6);
  EXPECT_FALSE(f->wizard.buttons.next.Visible() || f->wizard.buttons.back.Visible());
  EXPECT_TRUE(f->wizard.buttons.stop.Enabled() && f->disks.driveWatch.Enabled() == false);
  EXPECT_FALSE(f->ui.Close(kUnloadCloseBox));
  EXPECT_EQ(m.Boxes().back(), Text(L"VERSION3", L"STOP-OPERATIONS-FIRST"));
  EXPECT_EQ(m.dialogs.shown.back().style, mb::Information);
  m.toolkit.At(m.clock.now + 500, [&] {
    f->run.estimate.SetCaption(L"Estimated ...");
    f->wizard.buttons.stop.Click();
    EXPECT_FALSE(f->wizard.buttons.stop.Enabled());
    EXPECT_EQ(f->run.estimate.Caption(), L"");
  });
  m.toolkit.RunFor(100);
  EXPECT_EQ(Page(), 7);
  EXPECT_EQ(LogText().substr(0, 2), "0|");
  EXPECT_FALSE(f->wizard.buttons.stop.Visible());
  EXPECT_EQ(f->wizard.buttons.next.Caption(), Text(L"INTERFACE", L"FINISH"));
  EXPECT_TRUE(f->ui.Close(kUnloadCloseBox));
}

TEST_F(Wizard, BackStaysOnTheWelcomeAndGoesThereFromTheFinish) {
  Back();
  EXPECT_EQ(Page(), 1);
  f->wizard.ShowPage(7);
  Back();
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(f->wizard.buttons.next.Caption(), Text(L"INTERFACE", L"COMMAND1"));
  for (int i = 0; i <= 7; ++i) EXPECT_EQ(f->ui(L"win", i).Visible(), i == 1) << i;
}

TEST_F(Wizard, FinishRemovesLeftoversAndEnds) {
  m.files.MakeFolders(L"D:\\VNL_temp");
  f->wizard.ShowPage(7);
  m.dialogs.shown.clear();
  Next();
  EXPECT_TRUE(m.toolkit.ended);
  EXPECT_FALSE(f->ui.Visible() || m.files.FolderExists(L"D:\\VNL_temp"));
  EXPECT_EQ(m.dialogs.shown.size(), 2u);
}

// A large leftover folder on D: its sweep lets the window answer many times
// while the disk page comes up. Next and Enter pressed meanwhile must not
// move the wizard on (with D chosen they would walk into a run).
TEST_F(Wizard, TheButtonsWaitWhileALeftoverFolderIsSwept) {
  m.Store(L"DiskSelection", L"D", L"YES");
  Begin();
  for (int i = 0; i < 100; ++i) m.files.PutFile(L"D:\\VNL_temp\\f" + std::to_wstring(i), "x");
  m.files.refuse = [&](fake::FsOp op, const std::wstring&) {  // lets time pass
    if (op == fake::FsOp::RemoveFile) m.clock.Sleep(10);
    return false;
  };
  int held = 0;
  for (int i = 1; i <= 8; ++i)
    m.toolkit.At(m.clock.now + 100 * i, [&, i] {
      held += m.files.FolderExists(L"D:\\VNL_temp") && !f->wizard.buttons.next.Enabled() && !f->wizard.buttons.back.Enabled();
      i % 2 ? Next() : f->ui.DefaultButton()->Click();  // a click, or Enter
    });
  Next();
  EXPECT_EQ(held, 8);
  EXPECT_EQ(Page(), 2);
  EXPECT_TRUE(f->wizard.buttons.next.Enabled() && f->wizard.buttons.back.Enabled());
  Next();
  EXPECT_EQ(Page(), 3);
}

}  // namespace
}  // namespace vantrel::test
