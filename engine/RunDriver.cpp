#include "engine/RunDriver.h"

#include "app/StartForm.h"
#include "platform/Platform.h"

namespace vantrel {

void WorkNowTick(StartForm& form) {
  form.timer(L"worknow").SetEnabled(false);
  form(L"Command4").SetVisible(true);
  DoEvents();
  while (!form.run.StopRequested && form.ui.Visible()) {
    Os().clock->Sleep(50);
    DoEvents();
  }
  form(L"Command4").SetVisible(false);
  form.ShowPage(7);
}

}  // namespace vantrel
