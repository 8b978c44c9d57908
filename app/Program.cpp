#include "app/Program.h"

#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/Environment.h"

namespace vantrel {

int RunVantrel(const std::wstring&) {
  InitEnvironment();
  if (!InitLanguage()) return 1;
  // Placeholder until the wizard window exists: start-up ends by showing the
  // title the window will carry.
  MsgBox(L"Vantrel " + Env().ProgramVersion + L" " + Lang().LanguageName, mb::Information);
  return 0;
}

}  // namespace vantrel
