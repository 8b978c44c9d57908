#include <gtest/gtest.h>

#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

struct Wizard : Window {
  void SetUp() override {
    m.Disk(L'D', 80'000'000);
    m.Disk(L'E', 80'000'000);
    Begin();
  }
  const ReviewPage& r() { return f->review; }
};

// A new account's walk from the welcome page through a run and back, on to
// the Finish that removes leftovers and ends.
TEST_F(Wizard, ANewAccountWalksThePagesIntoARunAndBackAndFinishes) {
  for (int i = 0; i <= 7; ++i) EXPECT_EQ(f->ui(L"win", i).Visible(), i == 1) << i;
  for (const Control* on : {&f->modes.quick, &f->modes.normal, &f->method.spaces}) EXPECT_EQ(on->Value(), 1) << on->name();
  for (Timer* t : f->ui.Timers()) EXPECT_FALSE(t->Enabled());
  Back();
  Next();
  EXPECT_TRUE(Page() == 2 && f->disks.driveWatch.Enabled());
  f->disks.kinds[1].Click();
  for (int i = 0; i < 3; ++i) Next();
  // Quick cleaning overwrites no free space, whatever the method says.
  EXPECT_EQ(r().disks.Caption() + r().action.Caption() + r().bin.Caption(), L"D" + Text(L"INTERFACE", L"NO") + Text(L"INTERFACE", L"NO"));
  EXPECT_EQ(r().mode.Caption(), f->modes.quick.Caption() + L", FAT/NTFS: " + f->modes.normal.Caption());
  Back();
  Back();
  for (Control* c : {&f->modes.full, &f->modes.thorough, &f->method.randomDigits, &f->method.emptyBin}) c->Click();
  Next();
  Next();
  EXPECT_EQ(r().action.Caption() + r().bin.Caption(), f->method.randomDigits.Caption() + Text(L"INTERFACE", L"YES"));
  EXPECT_EQ(r().mode.Caption(), f->modes.full.Caption() + L", FAT/NTFS: " + f->modes.thorough.Caption());
  f->wizard.ShowPage(3);
  f->modes.quick.Click();
  f->modes.normal.Click();  // a group of its own: the cleaning mode stays
  EXPECT_EQ(f->modes.quick.Value() + f->modes.thorough.Value(), 1);
  std::string nameFile;
  m.Watch([&] {
    for (const std::wstring& name : m.files.ListFiles(L"D:\\VNL_temp"))
      if (name.starts_with(L"bo0-")) nameFile = m.files.Contents(L"D:\\VNL_temp\\" + name);
    return !nameFile.empty();
  });
  f->wizard.ShowPage(4);
  Next();
  Next();
  EXPECT_FALSE(f->wizard.buttons.next.Visible() || f->wizard.buttons.back.Visible() || f->disks.driveWatch.Enabled());
  EXPECT_FALSE(f->ui.Close(kUnloadCloseBox));
  EXPECT_EQ(m.Boxes(), Texts{Text(L"VERSION3", L"STOP-OPERATIONS-FIRST")});
  EXPECT_EQ(m.dialogs.shown.back().style, mb::Information);
  m.toolkit.RunFor(100);
  ASSERT_EQ(Page(), 7);
  // Random digits in the records of the chosen disk only.
  EXPECT_TRUE(nameFile.size() == 903 && nameFile.find_first_not_of("0123456789\r\n") == std::string::npos);
  EXPECT_TRUE(LogText().starts_with("1|") && LogText().find("|E|") == std::string::npos);
  EXPECT_EQ(f->finish.reportDisks[0].Caption() + f->finish.reportTexts[0].Caption(), L"D:" + Text(L"VERSION3", L"WORK-STATUS-1"));
  EXPECT_EQ(f->finish.reportIcons[0].picture(), f->icons().ok.picture());
  // Stop ends a run on the finish page.
  f->wizard.ShowPage(5);
  Next();
  m.toolkit.At(m.clock.now + 500, [&] {
    f->run.estimate.SetCaption(L"Estimated ...");
    f->wizard.buttons.stop.Click();
    EXPECT_TRUE(f->run.estimate.Caption().empty() && !f->wizard.buttons.stop.Enabled());
  });
  m.toolkit.RunFor(100);
  EXPECT_TRUE(Page() == 7 && LogText().starts_with("0|") && !f->wizard.buttons.stop.Visible());
  EXPECT_TRUE(f->wizard.buttons.next.Visible() && f->wizard.buttons.back.Visible());
  for (Timer* t : f->ui.Timers()) EXPECT_FALSE(t->Enabled());  // a stopped run's sound does not repeat
  m.files.MakeFolders(L"D:\\VNL_temp");  // another copy's leftover
  m.dialogs.shown.clear();
  Next();
  EXPECT_TRUE(m.toolkit.ended && !f->ui.Visible() && !m.files.FolderExists(L"D:\\VNL_temp"));
  EXPECT_EQ(m.dialogs.shown.size(), 2u);
}

// A large leftover folder on D: its sweep lets the window answer many times
// while the disk page comes up. Next and Enter pressed meanwhile must not
// move the wizard on (with D chosen they would walk into a run).
TEST_F(Wizard, TheButtonsWaitWhileALeftoverFolderIsSwept) {
  m.Store(L"DiskSelection", L"D", L"YES");
  Begin();
  for (int i = 0; i < 100; ++i) m.files.PutFile(L"D:\\VNL_temp\\f" + std::to_wstring(i), "x");
  m.files.faults.msPerCall = 10;  // a slow disk
  int held = 0;
  for (int i = 1; i <= 8; ++i)
    m.toolkit.At(m.clock.now + 100 * i, [&, i] {
      held += m.files.FolderExists(L"D:\\VNL_temp") && !f->wizard.buttons.next.Enabled() && !f->wizard.buttons.back.Enabled();
      i % 2 ? Next() : f->ui.DefaultButton()->Click();  // a click, or Enter
    });
  Next();
  EXPECT_TRUE(held == 8 && Page() == 2 && f->wizard.buttons.next.Enabled() && f->wizard.buttons.back.Enabled());
  Next();
  EXPECT_EQ(Page(), 3);
}

}  // namespace
}  // namespace vantrel::test
