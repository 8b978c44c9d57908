#include <gtest/gtest.h>

#include "runlog/RunLog.h"
#include "runlog/Statistics.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

using namespace std::string_literals;

const std::wstring kLog = kData + L"\\log.txt";

// Newest first: a completed run, a stopped one, an empty line, a line of
// binary bytes, a failed run cut short with a time that is no number, a
// completed run cut before its modes, one with modes no version wrote, and a
// status no version wrote.
const std::string kMixedLog =
    "1|08.12.2026 10:00:00|08.12.2026 10:02:05|125|E|B\xfcro|NTFS|123|2|3\r\n"
    "0|08.12.2026 09:00:00|08.12.2026 09:00:59|59|F||NTFS|5|1|1\r\n"
    "\r\n"
    "\x01\x02\xfe\xff\x80\x00\x7f\r\n"
    "2|07.12.2026 08:00:00|x|soon|G\r\n"
    "1|06.12.2026|06.12.2026 01:00:00|3600|H|Old\r\n"
    "1|05.12.2026|x|0|J|||1|9|0\r\n"
    "9|04.12.2026|x|0|K\r\n"s;

// The log is there before the window loads.
struct History : Window {
  void SetUp() override { m.files.PutFile(kLog, kMixedLog); }
  HistoryView& h() { return f->history; }
  const std::vector<ListRow>& Rows() { return m.toolkit.lists[&h().list].rows; }
  // The list, its title, separator and clear link show together.
  bool Shown() {
    for (const Control* part : {&h().separator, &h().clear, &h().title}) EXPECT_EQ(part->Visible(), h().list.Visible());
    return h().list.Visible();
  }
};

TEST_F(History, ShowsTheLogNewestFirstFilteredBelowTheDisksAndClearsIt) {
  Begin();
  f->ui.SetVisible(true);
  f->wizard.ShowPage(2);
  auto text = [](const wchar_t* key) { return Text(L"VERSION3", key); };
  const std::vector<ListRow> all = {
      {L"E", L"B\u00fcro", L"08.12.2026 10:00:00", L"2 min",
       text(L"NTFS-MODE-REVIEW") + L" " + text(L"MODE2") + L", FAT/NTFS: " + text(L"NTFS-MODE-3")},
      {L"F", L"", L"08.12.2026 09:00:00", L"0 min", text(L"WORK-STATUS-0")},
      {L"G", L"", L"07.12.2026 08:00:00", L"soon", text(L"WORK-STATUS-2")},
      {L"H", L"Old", L"06.12.2026", L"60 min", text(L"WORK-STATUS-1")},
      {L"J", L"", L"05.12.2026", L"0 min", text(L"WORK-STATUS-1")},
      {L"K", L"", L"04.12.2026", L"0 min", L""}};
  EXPECT_EQ(Rows(), all);
  EXPECT_TRUE(Shown());
  // The chosen row shows whole in the list's tip; new rows choose none.
  h().list.SetValue(1);
  h().list.Click();
  EXPECT_EQ(m.toolkit.HoverText(h().list), L"Disk: F\nStarted at: 08.12.2026 09:00:00\nTime: 0 min\nInfo: " + all[1][4]);
  h().completedOnly.Click();
  EXPECT_EQ(Rows(), (std::vector<ListRow>{all[0], all[3], all[4]}));
  EXPECT_EQ(m.toolkit.HoverText(h().list), L"");
  h().completedOnly.Click();
  // Cleared without a question, with the records still waiting to join it.
  m.files.PutFile(kData + L"\\" + kPendingLogName, "0|waiting\r\n");
  for (int twice = 0; twice < 2; ++twice) h().clear.Click();
  EXPECT_FALSE(m.files.FileExists(kLog) || m.files.FileExists(kData + L"\\" + kPendingLogName) || Shown());
  EXPECT_EQ(m.toolkit.focused, &h().completedOnly);
  EXPECT_TRUE(m.dialogs.shown.empty());
  // The page reads the log again each time it shows, an unreadable log as an
  // empty history. A stopped run alone under the filter leaves nothing to
  // show but the box; four rows of disks leave the history no room.
  PrependLogLine(L"0|new|end|61|E|L|NTFS|1|1|2");
  f->wizard.ShowPage(2);
  ASSERT_EQ(Rows().size(), 1u);
  EXPECT_EQ(Rows()[0][3], L"1 min");
  m.files.faults.FailFrom(fake::FsOp::Read, 1, FsFailure::InUse);
  f->wizard.ShowPage(2);
  EXPECT_FALSE(Shown());
  m.files.faults.Clear();
  h().completedOnly.Click();
  EXPECT_TRUE(!Shown() && h().completedOnly.Visible());
  h().completedOnly.Click();
  EXPECT_TRUE(Shown());
  for (wchar_t l = L'D'; l <= L'Y'; ++l) m.drives.Plug({std::wstring(1, l)});
  m.toolkit.RunFor(600);
  EXPECT_FALSE(Shown());
}

}  // namespace
}  // namespace vantrel::test
