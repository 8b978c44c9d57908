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

// A new account's walk from the welcome page through a run, a second run
// stopped, and the Finish that removes leftovers and ends.
TEST_F(Wizard, ANewAccountWalksThePagesIntoARunStopsAnotherAndFinishes) {
  for (int i = 0; i <= 7; ++i) EXPECT_EQ(f->ui(L"win", i).Visible(), i == 1) << i;
  for (const Control* on : {&f->modes.quick, &f->modes.normal, &f->method.spaces}) EXPECT_EQ(on->Value(), 1) << on->name();
  for (Timer* t : f->ui.Timers()) EXPECT_FALSE(t->Enabled());
  Next();
  EXPECT_TRUE(Page() == 2 && f->disks.driveWatch.Enabled());
  f->disks.kinds[1].Click();
  for (int i = 0; i < 3; ++i) Next();
  // Quick cleaning overwrites no free space, whatever the method says.
  EXPECT_EQ(r().disks.Caption() + r().action.Caption() + r().bin.Caption(), L"D" + Text(L"INTERFACE", L"NO") + Text(L"INTERFACE", L"NO"));
  EXPECT_EQ(r().mode.Caption(), f->modes.quick.Caption() + L", FAT/NTFS: " + f->modes.normal.Caption());
  for (Control* c : {&f->modes.full, &f->modes.thorough, &f->modes.quick}) c->Click();
  EXPECT_EQ(f->modes.quick.Value() + f->modes.thorough.Value(), 2);  // two groups: a click leaves the other's choice
  f->wizard.ShowPage(5);
  Next();
  EXPECT_FALSE(f->wizard.buttons.next.Visible() || f->wizard.buttons.back.Visible() || f->disks.driveWatch.Enabled());
  EXPECT_FALSE(f->ui.Close(kUnloadCloseBox));
  EXPECT_EQ(m.Boxes(), Texts{Text(L"VERSION3", L"STOP-OPERATIONS-FIRST")});
  EXPECT_EQ(m.dialogs.shown.back().style, mb::Information);
  m.toolkit.RunFor(100);
  ASSERT_EQ(Page(), 7);
  EXPECT_TRUE(LogText().starts_with("1|") && LogText().find("|E|") == std::string::npos);  // the chosen disk only
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
  EXPECT_TRUE(Page() == 7 && LogText().starts_with("0|") && !f->wizard.buttons.stop.Visible() &&
              f->wizard.buttons.next.Visible() && f->wizard.buttons.back.Visible());
  for (Timer* t : f->ui.Timers()) EXPECT_FALSE(t->Enabled());  // a stopped run's sound does not repeat
  m.files.MakeFolders(L"D:\\VNL_temp");  // another copy's leftover
  m.dialogs.shown.clear();
  Next();
  EXPECT_TRUE(m.toolkit.ended && !f->ui.Visible() && !m.files.FolderExists(L"D:\\VNL_temp"));
  EXPECT_EQ(m.dialogs.shown.size(), 2u);
}

// A Russian file: its texts in Cyrillic and in their fonts' character set,
// while the program's own captions keep the system's.
TEST_F(Wizard, TheLanguagesCharacterSetIsForItsTextsOnly) {
  m.PutLanguage(L"Russian", "[CHARSET]\r\nCHARSET=204\r\n[INTERFACE]\r\nLABEL8=\xC3\xEE\xF2\xEE\xE2\xEE\r\n");
  m.Store(L"Settings", L"Language", L"Russian");
  Begin();
  for (const Control* text : {&f->finish.title, &f->run.stepTitles[2], &f->history.list, &f->review.mode})
    EXPECT_EQ(text->FontCharset(), 204) << text->name();
  for (const Control* own : {&f->wizard.buttons.next, &f->welcome.languageLink, &f->run.freeBytes})
    EXPECT_EQ(own->FontCharset(), 1) << own->name();
  EXPECT_EQ(f->finish.title.Caption(), L"\u0413\u043E\u0442\u043E\u0432\u043E");
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

// The keyboard alone: Tab reaches the disk panel, the arrows go from slot
// to slot round the row, Space chooses the focused disk and stays on it,
// the arrows choose a mode, Enter walks on into a run; every slot, step and report row has the name a
// screen reader says.
TEST_F(Wizard, TheKeyboardAloneChoosesDisksAndRunsAndEveryPictureHasAName) {
  using K = fake::FakeToolkit::Key;
  m.drives.Plugged(L"D")->volume.VolumeName = L"DATA";
  const struct {
    K key;
    std::wstring focused, chosen;
    int page;
  } keys[] = {{K::Enter, L"", L"", 2},           {K::Tab, L"DiskImage0", L"", 2},     {K::Right, L"DiskImage1", L"", 2},
              {K::Space, L"DiskImage1", L"D", 2}, {K::Left, L"DiskImage0", L"D", 2},   {K::Up, L"DiskImage2", L"D", 2},
              {K::Space, L"DiskImage2", L"DE", 2}, {K::Space, L"DiskImage2", L"D", 2}, {K::Tab, L"Command2", L"D", 2},
              {K::ShiftTab, L"Check9", L"D", 2},   {K::Enter, L"", L"D", 3},           {K::Tab, L"Option6", L"D", 3},
              {K::Down, L"Option7", L"D full", 3}, {K::Down, L"Option6", L"D", 3},     {K::Enter, L"", L"D", 4},
              {K::Enter, L"", L"D", 5},            {K::Enter, L"", L"D", 6}};
  for (const auto& k : keys) {
    m.toolkit.Press(f->ui, k.key);
    const Control* on = m.toolkit.focused;
    std::wstring chosen;
    for (const std::wstring& letter : f->disks.SelectedLetters()) chosen += letter;
    if (f->modes.full.Value()) chosen += L" full";
    const std::wstring focused = on ? on->name() + (on->index() < 0 ? L"" : std::to_wstring(on->index())) : L"";
    EXPECT_EQ(focused + L"|" + chosen + L"|" + std::to_wstring(Page()), k.focused + L"|" + k.chosen + L"|" + std::to_wstring(k.page))
        << "row " << &k - keys;
  }
  m.toolkit.RunFor(100);
  ASSERT_EQ(Page(), 7);
  EXPECT_TRUE(m.Boxes().empty());
  const std::pair<const Control*, const wchar_t*> names[] = {
      {&f->disks.kinds[0], L"C:, (no label), NTFS, Free: 186 GB, not selected"},
      {&f->disks.kinds[1], L"D:, DATA, NTFS, Free: 76.3 MB, selected"},
      {&f->run.stepIcons[0], L"Overwriting file records, done"},
      {&f->run.stepIcons[2], L"Filling the free space, not part of this cleaning"},
      {&f->finish.reportIcons[0], L"D:, Completed successfully"}};
  for (const auto& [control, name] : names) EXPECT_EQ(control->AccessibleName(), name);
}

}  // namespace
}  // namespace vantrel::test
