// The checkpoint an earlier process left: offered once at most, then gone.
#include "maker/ErrorReport.h"
#include "tests/fuzz/FuzzMachine.h"

void vantrel::test::Fuzz(const std::string& input) {
  FuzzMachine m;
  m.Data(L"fileerror.txt", input);
  OfferErrorReport();
  Require(!m.files.FileExists(kDataFolder + L"\\fileerror.txt") && m.shell.opened.size() <= 1);
}
