// The run log as the disk page lists it: rows of all runs, and of the
// completed ones only, which can never be more.
#include "runlog/Statistics.h"
#include "tests/fuzz/FuzzMachine.h"

void vantrel::test::Fuzz(const std::string& input) {
  FuzzMachine m;
  m.Data(L"log.txt", input);
  Require(ReadHistory(true).size() <= ReadHistory(false).size());
}
