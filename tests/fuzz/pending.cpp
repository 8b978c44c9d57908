// A new record put on top of a log and of records that waited for it: the
// history that was there stays, whatever bytes it holds.
#include "runlog/RunLog.h"
#include "tests/fuzz/FuzzMachine.h"

void vantrel::test::Fuzz(const std::string& input) {
  FuzzMachine m;
  const auto files = Pieces(input, 2);
  m.Data(L"log.txt", files[0]);
  m.Data(L"pending.log", files[1]);
  const std::wstring record = L"1|1/2/2026 10:00|1/2/2026 10:05|300|D:|Data|NTFS|1234|1|1";
  Require(PrependLogLine(record) == Logged::OnTop && !m.files.FileExists(kDataFolder + L"\\pending.log"));
  Require(m.Data(L"log.txt").size() >= files[0].size() + files[1].size() + record.size() + 2);
}
