#include "app/Program.h"

#include "app/StartForm.h"
#include "platform/Toolkit.h"

namespace vantrel {

int RunVantrel(const std::wstring& commandLine) {
  StartForm start;
  if (!start.Load(commandLine)) return 0;
  start.ui.SetVisible(true);
  Toolkit().Run();
  return 0;
}

}  // namespace vantrel
