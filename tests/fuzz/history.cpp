// The run log as the disk page lists it: rows of all runs, and of the
// completed ones only, which can never be more; no row names a text that
// the language file lacks.
#include "runlog/Statistics.h"
#include "tests/fuzz/FuzzMachine.h"

void vantrel::test::Fuzz(const std::string& input) {
  FuzzMachine m;
  m.Data(L"log.txt", input);
  const std::vector<HistoryRow> rows = ReadHistory(false);
  Require(ReadHistory(true).size() <= rows.size());
  for (const HistoryRow& row : rows) Require(row[4].find(L"text not found") == std::wstring::npos);
}
