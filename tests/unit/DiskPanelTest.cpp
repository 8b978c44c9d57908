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
// with the icon of its kind and a tip naming its disk. With nine, the eighth
// and ninth start a second row inside the window, so every drive can be seen
// and chosen.
TEST_F(DiskPanel, EveryCleanableDriveHasAVisibleSlotWithItsIconAndTipAndNoPulledDriveStaysChosen) {
  FakeDrive notReady{L"F"}, gone{L"K"};
  notReady.ready = false;
  gone.vanishesOnQuery = true;
  for (const FakeDrive& drive : {FakeDrive{L"D", drivetype::CdRom}, FakeDrive{L"E", drivetype::RamDisk}, FakeDrive{L""},
                                 notReady, FakeDrive{L"G", drivetype::Removable, true, 32'000'000'000ull},
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
  const Twips first = d().kinds[0].Position(), eighth = d().kinds[7].Position();
  EXPECT_TRUE(eighth.left == first.left && eighth.top >= first.top + first.height);
  EXPECT_LE(d().kinds[6].Position().left + first.width, f->ui.Width());
  EXPECT_GE(f->history.title.Position().top, eighth.top + eighth.height);
  d().kinds[8].Click();
  EXPECT_EQ(d().SelectedLetters(), Letters{L"O"});
  const std::wstring tip = d().letters[8].ToolTip();
  for (const wchar_t* part : {L"(O:)", L"NTFS", L"95.4 MB"}) EXPECT_NE(tip.find(part), std::wstring::npos) << tip;
  EXPECT_EQ(d().kinds[8].ToolTip(), tip);
  EXPECT_NE(d().letters[1].ToolTip().find(L"29.8 GB"), std::wstring::npos);  // sizes as Windows shows them
  EXPECT_NE(d().letters[2].ToolTip().find(L"466 GB"), std::wstring::npos);
  // Every drive pulled, C last: nothing stays chosen on an empty slot.
  d().letters[0].Click();
  for (const wchar_t* l : {L"G", L"H", L"I", L"J", L"L", L"M", L"N", L"O", L"C"}) m.drives.Unplug(l);
  m.toolkit.RunFor(600);
  EXPECT_TRUE(d().letters.UBound() == 0 && !d().letters[0].Visible());
  m.dialogs.shown.clear();
  Next();
  EXPECT_EQ(Page(), 2);
  EXPECT_EQ(m.Boxes(), Letters{Text(L"INTERFACE", L"PLEASESELECTONEDISK")});
  EXPECT_EQ(m.dialogs.shown[0].style, mb::Exclamation);
}

TEST_F(DiskPanel, TheChoiceIsKeptPerLetterAcrossUnplugsAndOnlyCountChangesRebuild) {
  for (wchar_t l : {L'D', L'E', L'F'}) m.Disk(l);
  f->wizard.ShowPage(2);
  d().letters[2].Click();  // E
  d().kinds[3].Click();    // F
  EXPECT_EQ(d().SelectedLetters(), (Letters{L"E", L"F"}));
  EXPECT_TRUE(d().marks[2].picture() == f->icons().ok.picture() && !d().marks[1].picture());
  m.drives.Unplug(L"E");
  m.toolkit.RunFor(600);
  EXPECT_EQ(d().SelectedLetters(), Letters{L"F"});
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
