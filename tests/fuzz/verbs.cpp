// Any command line the system may hand over: the program starts or ends
// calmly, and only the exact verbs are verbs.
#include "app/Program.h"
#include "tests/fuzz/FuzzMachine.h"

void vantrel::test::Fuzz(const std::string& input) {
  FuzzMachine m;
  Program program;
  const std::wstring line = Wide(input);
  const bool verb = line == L"updates" || line == L"install" || line == L"uninstall" || line == L"langaudit";
  Require(program.Start(line) != verb);
}
