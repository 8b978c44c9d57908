// The stored date of the last update check and the endpoint's host from the
// registry: at most one page opens, on the endpoint's own path.
#include "maker/UpdateCheck.h"
#include "tests/fuzz/FuzzMachine.h"

void vantrel::test::Fuzz(const std::string& input) {
  FuzzMachine m;
  const auto texts = Pieces(input, 2, '\n');
  m.Store(L"Settings", L"Recent Update", Wide(texts[0]));
  m.registry.CreateKey(Hive::LocalMachine, L"Software\\Vantrel");
  m.registry.SetValue(Hive::LocalMachine, L"Software\\Vantrel", L"EndpointHost", StringValue(Wide(texts[1])));
  UpdateCheckReminder(true);
  Require(m.shell.opened.size() <= 1);
  for (const std::wstring& url : m.shell.opened)
    Require(url.find(L"/privacy/_from_soft.cgi?") != std::wstring::npos && url.find(L' ') == std::wstring::npos);
}
