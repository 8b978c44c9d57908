#include <gtest/gtest.h>

#include "runlog/RunLog.h"
#include "tests/unit/EngineMachine.h"

namespace vantrel::test {
namespace {

using fake::FsOp;

TEST_F(Engine, TheLogIsReplacedInOneStepAndALeftoverScratchCopyNeverReachesIt) {
  m.files.PutFile(kData + L"\\log.txt", "1|a|b|3|C||NTFS|1|1|1\r\nold second\r\n");
  m.files.PutFile(kData + L"\\temp.log", "garbage from an interrupted write\r\n");
  ASSERT_EQ(PrependLogLine(L"0|new"), Logged::OnTop);
  EXPECT_EQ(m.files.Contents(kData + L"\\log.txt"), "0|new\r\n1|a|b|3|C||NTFS|1|1|1\r\nold second\r\n");
  EXPECT_FALSE(m.files.FileExists(kData + L"\\temp.log"));
  // The final replacement fails: the old log is still whole.
  m.files.refuse = [](FsOp op, const std::wstring&) { return op == FsOp::Move; };
  EXPECT_EQ(PrependLogLine(L"2|lost"), Logged::Waiting);
  EXPECT_EQ(m.files.Contents(kData + L"\\log.txt"), "0|new\r\n1|a|b|3|C||NTFS|1|1|1\r\nold second\r\n");
}

TEST_F(Engine, ARecordTheLogCannotTakeWaitsAndTheHistoryIsNeverCut) {
  const std::wstring log = kData + L"\\log.txt";
  m.files.PutFile(log, "1|old\r\n");
  // The log cannot be read whole: it stays as it is, the record waits.
  m.files.refuse = [](FsOp op, const std::wstring& path) { return op == FsOp::Read && path.ends_with(L"log.txt"); };
  EXPECT_EQ(PrependLogLine(L"2|first"), Logged::Waiting);
  EXPECT_EQ(PrependLogLine(L"3|second"), Logged::Waiting);
  EXPECT_EQ(m.files.Contents(log), "1|old\r\n");
  // The next record that can go on top takes the waiting ones with it, newest first.
  bool flushedBeforeReplace = false;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (op == FsOp::Move) flushedBeforeReplace = m.files.Flushed(path);
    return false;
  };
  EXPECT_EQ(PrependLogLine(L"4|third"), Logged::OnTop);
  EXPECT_EQ(m.files.Contents(log), "4|third\r\n3|second\r\n2|first\r\n1|old\r\n");
  EXPECT_TRUE(flushedBeforeReplace);
  EXPECT_FALSE(m.files.FileExists(kData + L"\\" + kPendingLogName));
}

// A record that neither the log nor the waiting file takes is lost: the
// disk's report row, the one account left, says so.
TEST_F(Engine, ALostRecordIsToldOnTheDisksReportRow) {
  Disk(L'D', 60'000'000);
  const std::wstring note = LangText(L"VERSION3", L"LOG-NOT-WRITTEN");
  m.files.faults.FailFrom(FsOp::Move, 1, FsFailure::Refused);
  Clean(L"D", CleaningMode::FileRecords);
  EXPECT_EQ(view.rows[0].info, LangText(L"VERSION3", L"WORK-STATUS-1"));
  m.files.faults.FailFrom(FsOp::Append, 1, FsFailure::DiskFull);
  Clean(L"D", CleaningMode::FileRecords);
  EXPECT_EQ(view.rows[0].info, LangText(L"VERSION3", L"WORK-STATUS-1") + L" - " + note);
  EXPECT_TRUE(view.rows[0].ok);
}

}  // namespace
}  // namespace vantrel::test
