#include "engine/RunDriver.h"

#include "app/StartForm.h"

namespace vantrel {

void WorkNowTick(StartForm& form) { form.timer(L"worknow").SetEnabled(false); }

}  // namespace vantrel
