#include <gtest/gtest.h>

#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

using fake::FakeDrive;
using Letters = std::vector<std::wstring>;

struct DiskPanel : Window {
  DiskPage& d() { return f->disks; }
  std::wstring Shown() {
    std::wstring s;
    for (const DiskSlot& slot : d().Slots()) s += slot.letter;
    return s;
  }
};

// Only ready drives with a letter, of the kinds that can be cleaned, each
// with the icon of its kind and a tip naming its disk; the ninth is chosen
// like the first. (Its second row inside the window: the first-run journey.)
TEST_F(DiskPanel, EveryCleanableDriveHasASlotWithItsIconAndTipAndNoPulledDriveStaysChosen) {
  FakeDrive notReady{L"F"}, gone{L"K"};
  notReady.ready = false;
  gone.vanishesOnQuery = true;
  for (const FakeDrive& drive : {FakeDrive{L"D", drivetype::CdRom}, FakeDrive{L"E", drivetype::RamDisk}, FakeDrive{L""},
                                 notReady, FakeDrive{L"G", drivetype::Removable, true, 8'000'000'000ull},
                                 FakeDrive{L"H", drivetype::Removable, true, 500'000'000'000ull},
                                 FakeDrive{L"I", drivetype::Network}, FakeDrive{L"J", drivetype::Unknown}, gone})
    m.drives.Plug(drive);
  for (wchar_t l = L'L'; l <= L'O'; ++l) m.Disk(l);
  f->wizard.ShowPage(2);
  EXPECT_EQ(Shown(), L"CGHIJLMNO");
  const Icons& icons = f->icons();
  const Control* kinds[] = {&icons.hardDisk, &icons.flash, &icons.externalDisk, &icons.hardDisk};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(d().kinds[i].picture(), kinds[i]->picture()) << i;
  EXPECT_EQ(d().kinds[4].picture(), nullptr);  // an unknown kind keeps what its slot shows
  EXPECT_FALSE(m.files.FileExists(kData + L"\\fileerror.txt"));
  d().kinds[8].Click();
  EXPECT_EQ(d().SelectedLetters(), Letters{L"O"});
  // Sizes in three figures, as Windows shows them.
  for (auto [i, part] : {std::pair{8, L"(O:)"}, {8, L"NTFS"}, {8, L"95.4 MB"}, {1, L"7.45 GB"}, {2, L"466 GB"}})
    EXPECT_NE(d().letters[i].ToolTip().find(part), std::wstring::npos) << d().letters[i].ToolTip();
  EXPECT_EQ(d().kinds[8].ToolTip(), d().letters[8].ToolTip());
  // Every drive pulled, C last: nothing stays chosen on an empty slot.
  d().letters[0].Click();
  for (const wchar_t* l : {L"G", L"H", L"I", L"J", L"L", L"M", L"N", L"O", L"C"}) m.drives.Unplug(l);
  m.toolkit.RunFor(600);
  EXPECT_TRUE(d().letters.UBound() == 0 && !d().letters[0].Visible());
  m.dialogs.shown.clear();
  Next();
  EXPECT_EQ(m.Boxes(), Letters{Text(L"INTERFACE", L"PLEASESELECTONEDISK")});
  EXPECT_TRUE(Page() == 2 && m.dialogs.shown[0].style == mb::Exclamation);
}

TEST_F(DiskPanel, TheChoiceIsKeptPerLetterAcrossUnplugsAndOnlyCountChangesRebuild) {
  for (wchar_t l : {L'D', L'E', L'F'}) m.Disk(l);
  f->wizard.ShowPage(2);
  d().letters[2].Click();  // E
  d().kinds[3].Click();    // F
  EXPECT_EQ(d().SelectedLetters(), (Letters{L"E", L"F"}));
  d().kinds[3].SetFocus();
  m.drives.Unplug(L"E");
  m.toolkit.RunFor(600);
  EXPECT_EQ(d().SelectedLetters(), Letters{L"F"});
  EXPECT_EQ(m.toolkit.focused, d().kinds.Find(2));  // the keyboard stays on F's slot, rebuilt
  EXPECT_EQ(m.Setting(L"DiskSelection", L"E"), L"YES");
  m.drives.Plug({L"E"});
  m.toolkit.RunFor(600);
  EXPECT_EQ(d().SelectedLetters(), (Letters{L"F", L"E"}));
  d().letters[2].Click();  // F again: off
  EXPECT_EQ(m.Setting(L"DiskSelection", L"F"), L"");
  m.drives.Unplug(L"E");
  m.drives.Plug({L"K"});  // a swap between two ticks
  m.toolkit.RunFor(1100);
  EXPECT_EQ(Shown(), L"CDFE");
}

}  // namespace
}  // namespace vantrel::test
