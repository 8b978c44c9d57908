#include <gtest/gtest.h>

#include "runlog/RunLog.h"
#include "runlog/Statistics.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

using fake::FsOp;
using namespace std::string_literals;

const std::wstring kData = L"C:\\Users\\test\\AppData\\Roaming\\VNL";
const std::wstring kLog = kData + L"\\log.txt";

// Newest first: a completed run, a stopped one, an empty line, a line of
// binary bytes, a failed run cut short with a time that is no number, and a
// completed run cut before its modes.
const std::string kMixedLog =
    "1|08.12.2026 10:00:00|08.12.2026 10:02:05|125|E|B\xfcro|NTFS|123|2|3\r\n"
    "0|08.12.2026 09:00:00|08.12.2026 09:00:59|59|F||NTFS|5|1|1\r\n"
    "\r\n"
    "\x01\x02\xfe\xff\x80\x00\x7f\r\n"
    "2|07.12.2026 08:00:00|x|soon|G\r\n"
    "1|06.12.2026|06.12.2026 01:00:00|3600|H|Old\r\n"s;

struct History : ::testing::Test {
  StartMachine m;
  const StartControls* c = nullptr;
  void SetUp() override { m.files.MakeFolders(kData); }
  void Start() {
    ASSERT_TRUE(m.Start());
    c = &m.form->c;
  }
  // The rows as the list shows them.
  const std::vector<ListRow>& Shown() { return m.toolkit.lists[c->ListView1].rows; }
  std::wstring Text(const wchar_t* key) { return m.Text(L"VERSION3", key); }
  bool AreaShown() {
    const bool list = c->ListView1->Visible();
    for (const Control* part : {c->Line1, c->Label22, c->Label29}) EXPECT_EQ(part->Visible(), list) << part->name().size();
    return list;
  }
};

TEST_F(History, ShowsEveryReadableRecordNewestFirstAndFiltersCompletedRuns) {
  m.files.PutFile(kLog, kMixedLog);
  std::string checkpointWhileReading;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (op == FsOp::Read && path == kLog) checkpointWhileReading = m.files.Contents(kData + L"\\fileerror.txt");
    return false;
  };
  Start();
  const std::wstring completed =
      Text(L"NTFS-MODE-REVIEW") + L" " + Text(L"MODE2") + L", FAT/NTFS: " + Text(L"NTFS-MODE-3");
  const std::vector<ListRow> all = {
      {L"E", L"B\u00fcro", L"08.12.2026 10:00:00", L"2 min", completed},
      {L"F", L"", L"08.12.2026 09:00:00", L"0 min", Text(L"WORK-STATUS-0")},
      {L"G", L"", L"07.12.2026 08:00:00", L"soon", Text(L"WORK-STATUS-2")},
      {L"H", L"Old", L"06.12.2026", L"60 min", Text(L"WORK-STATUS-1")},
  };
  EXPECT_EQ(Shown(), all);
  EXPECT_TRUE(AreaShown());
  EXPECT_NE(checkpointWhileReading.find("|REFRESHLOGS"), std::string::npos) << checkpointWhileReading;
  EXPECT_FALSE(m.files.FileExists(kData + L"\\fileerror.txt"));

  m(L"Check9").Click();
  EXPECT_EQ(m.Setting(L"Settings", L"SHOWGOODONLY"), L"YES");
  EXPECT_EQ(Shown(), (std::vector<ListRow>{all[0], all[3]}));
  m(L"Check9").Click();
  EXPECT_EQ(m.Setting(L"Settings", L"SHOWGOODONLY"), L"");
  EXPECT_EQ(Shown(), all);
  EXPECT_TRUE(m.dialogs.shown.empty());
}

TEST_F(History, StoppedRunsOnlyWithTheFilterLeaveTheWholeAreaHidden) {
  m.files.PutFile(kLog, "0|a|b|10|E||NTFS|1|1|1\r\n0|c|d|20|F||NTFS|1|2|2\r\n");
  m.Store(L"Settings", L"SHOWGOODONLY", L"YES");
  Start();
  EXPECT_TRUE(Shown().empty());
  EXPECT_FALSE(AreaShown());
  EXPECT_TRUE(c->Check9->Visible());
  m(L"Check9").Click();
  EXPECT_EQ(Shown().size(), 2u);
  EXPECT_TRUE(AreaShown());
}

TEST_F(History, AnUnreadableLogIsAnEmptyHistory) {
  m.files.PutFile(kLog, kMixedLog);
  m.files.refuse = [](FsOp op, const std::wstring& path) { return op == FsOp::Read && path == kLog; };
  Start();
  EXPECT_TRUE(Shown().empty());
  EXPECT_FALSE(AreaShown());
  EXPECT_FALSE(m.files.FileExists(kData + L"\\fileerror.txt"));
}

TEST_F(History, ClearingDeletesTheLogWithoutAQuestionAndTwiceIsHarmless) {
  m.files.PutFile(kLog, kMixedLog);
  m.files.PutFile(kData + L"\\" + kPendingLogName, "0|waiting\r\n");
  Start();
  m.form->ShowPage(2);
  ASSERT_TRUE(AreaShown());
  m(L"Label22").Click();
  EXPECT_FALSE(m.files.FileExists(kLog));
  // Waiting records would bring the cleared history back with the next run.
  EXPECT_FALSE(m.files.FileExists(kData + L"\\" + kPendingLogName));
  EXPECT_TRUE(Shown().empty());
  EXPECT_FALSE(AreaShown());
  EXPECT_EQ(m.toolkit.focused, c->Check9);
  m(L"Label22").Click();
  EXPECT_FALSE(AreaShown());
  EXPECT_TRUE(m.dialogs.shown.empty());
  // The next run starts a new history.
  PrependLogLine(L"1|new|end|61|E|L|NTFS|1|1|2");
  m.form->ShowPage(3);
  m.form->ShowPage(2);
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0][3], L"1 min");
  // A log that resists is no cleared history.
  m.files.PutFile(kLog, "1|kept\r\n", true);
  EXPECT_FALSE(ClearHistory());
}

TEST_F(History, PageTwoRereadsTheLogAndSizesTheColumnsByTheirShares) {
  Start();
  EXPECT_FALSE(AreaShown());
  m.files.PutFile(kLog, kMixedLog);
  m(L"Command1").Click();
  ASSERT_EQ(m.form->CurrentPage, 2);
  EXPECT_EQ(Shown().size(), 4u);
  EXPECT_TRUE(AreaShown());
  const int width = c->ListView1->Position().width;
  const std::vector<ListColumn>& columns = m.toolkit.lists[c->ListView1].columns;
  ASSERT_EQ(columns.size(), 5u);
  const std::pair<const wchar_t*, int> expected[] = {
      {L"Disk", 3}, {L"Label", 10}, {L"Started at", 22}, {L"Time", 10}, {L"Info", 50}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(columns[i].caption, expected[i].first);
    EXPECT_EQ(columns[i].width, width * expected[i].second / 100) << i;
  }
}

// Disks come first: with four rows of them the history gives way, rows or
// not, and comes back with its rows when the drives go.
TEST_F(History, TheAreaShowsOnlyWithRowsAndRoomBelowTheDisks) {
  m.files.PutFile(kLog, kMixedLog);
  Start();
  m.form->ShowPage(2);
  ASSERT_TRUE(AreaShown());
  std::vector<std::wstring> letters;
  for (wchar_t l = L'D'; l <= L'Y'; ++l) letters.push_back(std::wstring(1, l));
  for (const std::wstring& l : letters) m.drives.Plug({l});
  m.toolkit.RunFor(600);
  EXPECT_FALSE(AreaShown());
  m(L"Check9").Click();
  EXPECT_FALSE(AreaShown());
  for (const std::wstring& l : letters) m.drives.Unplug(l);
  m.toolkit.RunFor(600);
  EXPECT_TRUE(AreaShown());
  EXPECT_EQ(Shown().size(), 2u);
  EXPECT_GT(c->Label29->Position().top, c->Line1->Position().top);
}

}  // namespace
}  // namespace vantrel::test
