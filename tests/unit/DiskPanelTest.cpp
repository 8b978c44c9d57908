#include <gtest/gtest.h>

#include "app/DiskPanelPage.h"
#include "disks/DiskSlots.h"
#include "services/Environment.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

using fake::FakeDrive;

struct DiskPanel : ::testing::Test {
  StartMachine m;
  void SetUp() override { ASSERT_TRUE(m.Start()); }
  std::wstring Letters() {
    std::wstring s;
    for (int i = 0; i <= m.form->ui.UBound(L"DiskLabel"); ++i) s += m(L"DiskLabel", i).Caption();
    return s;
  }
  const PictureData* Icon(int i) { return m(L"DiskImage", i).picture().get(); }
  const PictureData* Holder(const wchar_t* name) { return m(name).picture().get(); }
};

TEST_F(DiskPanel, ListsOnlyReadyLetteredDrivesOfTheCleanableKinds) {
  m.drives.Plug({L"D", drivetype::CdRom});
  m.drives.Plug({L"E", drivetype::RamDisk});
  m.drives.Plug({L""});
  FakeDrive notReady{L"F"};
  notReady.ready = false;
  m.drives.Plug(notReady);
  m.drives.Plug({L"G", drivetype::Removable, true, 32'000'000'000ull});
  m.drives.Plug({L"H", drivetype::Removable, true, 500'000'000'000ull});
  m.drives.Plug({L"I", drivetype::Network});
  m.drives.Plug({L"J", drivetype::Unknown});
  FakeDrive gone{L"K"};
  gone.vanishesOnQuery = true;
  m.drives.Plug(gone);
  m.form->ShowPage(2);
  EXPECT_EQ(Letters(), L"CGHIJ");
  EXPECT_EQ(Icon(0), Holder(L"DiskHDD"));
  EXPECT_EQ(Icon(1), Holder(L"DiskFlash"));
  EXPECT_EQ(Icon(2), Holder(L"DiskEHDD"));
  EXPECT_EQ(Icon(3), Holder(L"DiskHDD"));
  EXPECT_EQ(Icon(4), nullptr);  // unknown keeps the picture it was made with
  const int step = StartForm::kWidthTwips / 7;
  EXPECT_EQ(m(L"DiskLabel", 4).Position().left, 480 + 4 * step);
  EXPECT_EQ(m(L"DiskImage", 4).Position().left, 360 + 4 * step);
  EXPECT_EQ(m(L"DiskSelect", 4).Position().left, 6960);
  EXPECT_FALSE(m.files.FileExists(L"C:\\Users\\test\\AppData\\Roaming\\VNL\\fileerror.txt"));
}

TEST_F(DiskPanel, SelectionIsKeptPerLetterAcrossUnplugsAndRestarts) {
  for (const wchar_t* l : {L"D", L"E", L"F"}) m.drives.Plug({l});
  m.form->ShowPage(2);
  m(L"DiskLabel", 2).Click();  // E
  m(L"DiskImage", 3).Click();  // F
  EXPECT_EQ(SelectedDiskLetters(*m.form), L"EF");
  EXPECT_EQ(m(L"DiskImageSel", 2).picture(), m(L"IconOK").picture());
  EXPECT_EQ(m(L"DiskImageSel", 1).picture(), nullptr);
  m.drives.Unplug(L"E");
  m.toolkit.RunFor(600);
  EXPECT_EQ(Letters(), L"CDF");
  EXPECT_EQ(SelectedDiskLetters(*m.form), L"F");
  EXPECT_EQ(m.Setting(L"DiskSelection", L"E"), L"YES");
  m.drives.Plug({L"E"});
  m.toolkit.RunFor(600);
  EXPECT_EQ(SelectedDiskLetters(*m.form), L"FE");
  m(L"DiskLabel", 2).Click();  // F again: off
  EXPECT_EQ(m.Setting(L"DiskSelection", L"F"), L"");
  EXPECT_EQ(SelectedDiskLetters(*m.form), L"E");
}

TEST_F(DiskPanel, TimerRebuildsOnlyWhenTheCountChanges) {
  m.drives.Plug({L"G", drivetype::Removable});
  m.form->ShowPage(2);
  m.drives.Unplug(L"G");
  m.drives.Plug({L"K", drivetype::Removable});  // a swap between two ticks
  m.toolkit.RunFor(1100);
  EXPECT_EQ(Letters(), L"CG");
  m.drives.Plug({L"L"});
  m.toolkit.RunFor(600);
  EXPECT_EQ(Letters(), L"CKL");
}

TEST_F(DiskPanel, LeftoverWorkFoldersAreReportedAndDeleted) {
  const std::wstring onWindowsDrive = L"C:\\Users\\test\\AppData\\Roaming\\VNL_temp";
  m.files.PutFile(L"C:\\VNL_temp\\x", "at the root of the Windows drive: not a work folder");
  m.files.PutFile(onWindowsDrive + L"\\bo1", "x");
  m.drives.Plug({L"D"});
  m.files.AddDrive(L'D');
  m.files.PutFile(L"D:\\VNL_temp\\sub\\a", "x");
  m.files.PutFile(L"D:\\VNL_temp\\locked", "x", true);
  m.drives.Plug({L"E"});
  m.files.AddDrive(L'E');
  m.files.PutFile(L"E:\\VNL_temp", "a file, not a folder");
  m.dialogs.shown.clear();
  m.form->ShowPage(2);
  ASSERT_EQ(m.dialogs.shown.size(), 4u);
  EXPECT_EQ(m.dialogs.shown[0].text, m.Text(L"VERSION3", L"OLD-FOLDER-EXISTS") + L"\r\n\r\n" + onWindowsDrive);
  EXPECT_EQ(m.dialogs.shown[1].text, m.Text(L"VERSION3", L"OLD-FOLDER-DELETED"));
  EXPECT_EQ(m.dialogs.shown[1].style, mb::Information);
  EXPECT_EQ(m.dialogs.shown[2].text, m.Text(L"VERSION3", L"OLD-FOLDER-EXISTS") + L"\r\n\r\nD:\\VNL_temp");
  EXPECT_EQ(m.dialogs.shown[3].text, m.Text(L"VERSION3", L"OLD-FOLDER-NOT-DELETED") + L"\r\n\r\nD:\\VNL_temp");
  EXPECT_EQ(m.dialogs.shown[3].style, mb::Exclamation);
  EXPECT_FALSE(m.files.FolderExists(onWindowsDrive));
  EXPECT_TRUE(m.files.FileExists(L"C:\\VNL_temp\\x"));
  EXPECT_TRUE(m.files.FileExists(L"D:\\VNL_temp\\locked"));
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp\\sub"));
  EXPECT_TRUE(m.files.FileExists(L"E:\\VNL_temp"));
}

TEST(DriveIcons, ByKindAndSize) {
  EXPECT_EQ(DriveIconOf(drivetype::Removable, 33'000'000'000ull), DriveIcon::Flash);
  EXPECT_EQ(DriveIconOf(drivetype::Removable, 33'000'000'001ull), DriveIcon::ExternalDisk);
  EXPECT_EQ(DriveIconOf(drivetype::Fixed, 0), DriveIcon::HardDisk);
  EXPECT_EQ(DriveIconOf(drivetype::Unknown, 0), DriveIcon::Keep);
}

}  // namespace
}  // namespace vantrel::test
