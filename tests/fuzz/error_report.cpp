// The list of records reported before, read to tell whether a checkpoint was
// reported already: it is only ever added to.
#include "maker/ErrorReport.h"
#include "tests/fuzz/FuzzMachine.h"

void vantrel::test::Fuzz(const std::string& input) {
  FuzzMachine m;
  const auto files = Pieces(input, 2);
  m.Data(L"fileerror.txt", files[0]);
  m.Data(L"was_errors.txt", files[1]);
  OfferErrorReport();
  Require(m.Data(L"was_errors.txt").compare(0, files[1].size(), files[1]) == 0);
}
