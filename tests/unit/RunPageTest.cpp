// The run as the wizard starts it: the plan comes from the pages, the run
// page shows what the run reports, and closing the window meets the run.
#include <gtest/gtest.h>

#include "app/DiskPanelPage.h"
#include "disks/DiskSlots.h"
#include "lang/Language.h"
#include "tests/unit/WizardRun.h"

namespace vantrel::test {
namespace {

using fake::FsOp;

TEST_F(WizardRun, TheRunFollowsThePagesAndReportsOnTheFinishPage) {
  Disk(L'D', 60'000'000);
  Disk(L'E', 60'000'000);
  std::string nameFile;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (op == FsOp::RemoveFile && path.find(L"D:\\VNL_temp\\bo0-") == 0) nameFile = m.files.Contents(path);
    return false;
  };
  const StartControls& c = m.form->c;
  Walk(L"D", c.Option6, c.Option3);
  EXPECT_EQ(m.form->BuildRunPlan().method, OverwriteMethod::RandomDigits);
  m.toolkit.RunFor(100);
  ASSERT_EQ(m.form->CurrentPage, 7);
  // Random digits, from the method page, in the records of the disk page's choice.
  ASSERT_EQ(nameFile.size(), 903u);
  EXPECT_EQ(nameFile.find_first_not_of("0123456789\r\n"), std::string::npos);
  EXPECT_EQ(LogText().substr(0, 2), "1|");
  EXPECT_EQ(LogText().find("|E|"), std::string::npos);
  EXPECT_EQ(c.ReportDisk[0].Caption(), L"D:");
  EXPECT_EQ(c.ReportInfo[0].Caption(), LangText(L"VERSION3", L"WORK-STATUS-1"));
  EXPECT_EQ(c.ReportImage[0].picture(), c.IconOK->picture());
  EXPECT_EQ(c.StepImage[1].picture(), c.IconOKgray->picture());
  EXPECT_EQ(c.StepImage[3].picture(), c.IconOK->picture());
  EXPECT_EQ(c.ProgressBar1->Value(), 3);
  EXPECT_FALSE(c.Command4->Visible());
  // The finished run may be closed.
  EXPECT_TRUE(m.form->ui.Close(kUnloadCloseBox));
}

// Another copy of the program, perhaps of another user, is cleaning D: it
// holds the run lock and D's work folder, and has its template.
TEST_F(WizardRun, AnotherCopysRunIsLeftAloneAndNoSecondRunStartsMeanwhile) {
  Disk(L'D', 80'000'000);
  m.files.PutFile(L"D:\\VNL_temp\\bo0-theirs", "x");
  m.files.PutFile(kData + L"\\temp.xd", "theirs");
  m.system.machineLocks.insert(L"Vantrel.Run");
  auto theirFolder = m.files.Hold(L"D:\\VNL_temp");
  m.dialogs.shown.clear();
  Walk(L"D", m.form->c.Option6, m.form->c.Option2);
  m.toolkit.RunFor(10);
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].text, LangText(L"VERSION3", L"ANOTHER-RUN"));
  EXPECT_EQ(m.form->CurrentPage, 5);
  EXPECT_TRUE(m.files.FileExists(L"D:\\VNL_temp\\bo0-theirs"));
  EXPECT_TRUE(m.files.FileExists(kData + L"\\temp.xd"));
  EXPECT_EQ(LogText(), "");
  // Their run ends: ours may start, and begins with what they left.
  theirFolder.reset();
  m.system.machineLocks.clear();
  m.form->c.Command1->Click();
  m.toolkit.RunFor(100);
  EXPECT_EQ(m.form->CurrentPage, 7);
  EXPECT_EQ(LogText().substr(0, 2), "1|");
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp"));
  EXPECT_TRUE(m.system.machineLocks.empty());
}

TEST_F(WizardRun, TheEndOfTheSessionStopsTheRunAndRemovesItsWorkBeforeAgreeing) {
  Disk(L'D', 80'000'000);
  Disk(L'E', 80'000'000);
  bool agreed = false, folderGoneWhenAgreed = false;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (!agreed && op == FsOp::Write && path.find(L"D:\\VNL_temp\\bo5-") == 0) {
      m.dialogs.shown.clear();
      agreed = m.form->ui.Close(kUnloadSessionEnding);
      folderGoneWhenAgreed = !m.files.FolderExists(L"D:\\VNL_temp");
    }
    return false;
  };
  Walk(L"DE", m.form->c.Option7, m.form->c.Option2);
  m.toolkit.RunFor(100);
  EXPECT_TRUE(agreed);
  EXPECT_TRUE(folderGoneWhenAgreed);
  // Nobody is there to answer a message box.
  EXPECT_TRUE(m.dialogs.shown.empty());
  EXPECT_FALSE(m.form->ui.Visible());
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
  // The run ends with the disk in work: E is not begun.
  EXPECT_EQ(LogText().substr(0, 2), "0|");
  EXPECT_EQ(LogText().find("|E|"), std::string::npos);
  EXPECT_FALSE(m.files.FolderExists(L"E:\\VNL_temp"));
  EXPECT_FALSE(m.form->c.PlayWAV->Enabled());
}

// Another program refuses, and Windows goes on with the session: the window
// comes back where it was; a run that the question stopped ends on the
// finish page, and the next run is not cut short for the session's end.
TEST_F(WizardRun, ASessionEndThatWindowsCancelsBringsTheWindowBack) {
  Disk(L'D', 80'000'000);
  Disk(L'E', 80'000'000);
  m.form->ui.SetVisible(true);
  m.form->ShowPage(3);
  ASSERT_TRUE(m.form->ui.Close(kUnloadSessionEnding));
  m.form->ui.SessionEndCancelled();
  EXPECT_TRUE(m.form->ui.Visible());
  EXPECT_EQ(m.form->CurrentPage, 3);
  bool asked = false;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (!asked && op == FsOp::Write && path.find(L"D:\\VNL_temp\\bo5-") == 0) {
      asked = m.form->ui.Close(kUnloadSessionEnding);
      m.form->ui.SessionEndCancelled();
    }
    return false;
  };
  Walk(L"DE", m.form->c.Option6, m.form->c.Option2);
  m.toolkit.RunFor(100);
  ASSERT_TRUE(asked);
  EXPECT_TRUE(m.form->ui.Visible());
  EXPECT_EQ(m.form->CurrentPage, 7);
  EXPECT_EQ(LogText().substr(0, 2), "0|");
  m.form->ShowPage(5);
  m.form->c.Command1->Click();
  m.toolkit.RunFor(100);
  EXPECT_EQ(m.form->CurrentPage, 7);
  EXPECT_EQ(LogText().substr(0, 2), "1|");
  // A window closed since by other means stays closed.
  m.form->ui.Close(kUnloadByProgram);
  m.form->ui.SessionEndCancelled();
  EXPECT_FALSE(m.form->ui.Visible());
}

// Nine drives: the first seven keep their one-seventh steps, the eighth and
// ninth start a second row below them, and every slot can be chosen.
TEST_F(WizardRun, EveryDriveHasAVisibleSlotWithATipAndNoPulledDriveStaysChosen) {
  for (const wchar_t* l : {L"D", L"E", L"F", L"G", L"H", L"I", L"J", L"K"}) Disk(l[0], 100'000'000);
  m.form->ShowPage(2);
  const StartControls& c = m.form->c;
  ASSERT_EQ(c.DiskLabel.UBound(), 8);
  const int step = StartForm::kWidthTwips / 7;
  const Twips first = c.DiskImage[0].Position(), seventh = c.DiskImage[6].Position();
  const Twips eighth = c.DiskImage[7].Position(), ninth = c.DiskImage[8].Position();
  EXPECT_EQ(seventh.left, first.left + 6 * step);
  EXPECT_EQ(eighth.left, first.left);
  EXPECT_EQ(ninth.left, first.left + step);
  EXPECT_GE(eighth.top, first.top + first.height);
  for (int i = 0; i <= 8; ++i) {
    const Twips at = c.DiskImage[i].Position();
    EXPECT_LE(at.left + at.width, m.form->ui.Width()) << i;
    EXPECT_TRUE(c.DiskImage[i].Visible());
  }
  // The history moves below the second row.
  EXPECT_GE(c.Label29->Position().top, eighth.top + eighth.height);
  c.DiskImage[8].Click();
  EXPECT_EQ(SelectedDiskLetters(*m.form), L"K");
  // The tip tells the disks apart: label, file system, size, free space.
  const std::wstring tip = c.DiskLabel[8].ToolTip();
  EXPECT_NE(tip.find(L"(K:)"), std::wstring::npos) << tip;
  EXPECT_NE(tip.find(L"NTFS"), std::wstring::npos) << tip;
  EXPECT_NE(tip.find(L"95.4 MB"), std::wstring::npos) << tip;
  EXPECT_EQ(c.DiskImage[8].ToolTip(), tip);

  // Every drive pulled, C last: nothing stays chosen on an empty slot.
  c.DiskLabel[0].Click();
  for (const wchar_t* l : {L"D", L"E", L"F", L"G", L"H", L"I", L"J", L"K", L"C"}) m.drives.Unplug(l);
  m.toolkit.RunFor(600);
  EXPECT_EQ(SelectedDiskLetters(*m.form), L"");
  EXPECT_FALSE(c.DiskLabel[0].Visible());
  EXPECT_EQ(c.DiskLabel.UBound(), 0);
  m.dialogs.shown.clear();
  c.Command1->Click();
  EXPECT_EQ(m.form->CurrentPage, 2);
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].text, LangText(L"INTERFACE", L"PLEASESELECTONEDISK"));
}

TEST(DiskSizes, AsWindowsShowsThem) {
  EXPECT_EQ(SizeText(512), L"512 bytes");
  EXPECT_EQ(SizeText(100'000'000), L"95.4 MB");
  EXPECT_EQ(SizeText(8'000'000'000ull), L"7.45 GB");
  EXPECT_EQ(SizeText(500'107'862'016ull), L"466 GB");
}

}  // namespace
}  // namespace vantrel::test
