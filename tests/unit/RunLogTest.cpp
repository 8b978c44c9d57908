#include <gtest/gtest.h>

#include "runlog/RunLog.h"
#include "tests/unit/EngineMachine.h"

namespace vantrel::test {
namespace {

using fake::FsOp;

// Whichever step of putting a record on top fails, the old log stays whole
// and the record waits; the next record that goes on top takes the waiting
// ones with it, newest first, written through to the disk before it
// replaces the log, and a scratch copy left by an interrupted write never
// reaches it.
TEST_F(Engine, ARecordTheLogCannotTakeWaitsAndTheHistoryIsNeverCut) {
  const std::wstring log = kData + L"\\log.txt";
  m.files.PutFile(log, "1|old\r\n");
  m.files.PutFile(kData + L"\\temp.log", "garbage from an interrupted write\r\n");
  int record = 2;
  for (FsOp op : {FsOp::Read, FsOp::Create, FsOp::Flush, FsOp::Move}) {
    m.files.faults.Fail(op, 1, FsFailure::Refused);
    EXPECT_EQ(PrependLogLine(std::to_wstring(record++) + L"|waits"), Logged::Waiting) << static_cast<int>(op);
    EXPECT_EQ(m.files.Contents(log), "1|old\r\n");
  }
  EXPECT_EQ(PrependLogLine(L"6|last"), Logged::OnTop);
  EXPECT_EQ(m.files.Contents(log), "6|last\r\n5|waits\r\n4|waits\r\n3|waits\r\n2|waits\r\n1|old\r\n");
  EXPECT_TRUE(m.files.Flushed(log) && !m.files.FileExists(kData + L"\\" + kPendingLogName) &&
              !m.files.FileExists(kData + L"\\temp.log"));
}

// A record that neither the log nor the waiting file takes is lost: the
// disk's report row, the one account left, says so.
TEST_F(Engine, ALostRecordIsToldOnTheDisksReportRow) {
  Disk(L'D', 60'000'000);
  const std::wstring completed = LangText(L"VERSION3", L"WORK-STATUS-1");
  m.files.faults.FailFrom(FsOp::Move, 1, FsFailure::Refused);
  Clean(L"D", CleaningMode::FileRecords);
  EXPECT_EQ(view.rows[0].info, completed);  // waiting is no loss
  m.files.faults.FailFrom(FsOp::Append, 1, FsFailure::DiskFull);
  Clean(L"D", CleaningMode::FileRecords);
  EXPECT_TRUE(view.rows[0].info == completed + L" - " + LangText(L"VERSION3", L"LOG-NOT-WRITTEN") && view.rows[0].ok);
}

}  // namespace
}  // namespace vantrel::test
