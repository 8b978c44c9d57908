#include "system/SystemActions.h"

#include "app/StartForm.h"

namespace vantrel {

void EmptyRecycleBin() {}
void HookStandbyGuard(StartForm&) {}
void UnhookStandbyGuard() {}
void PlayCompletionSound() {}
void TurnOffTick(StartForm& form) { form.timer(L"turnoff").SetEnabled(false); }

}  // namespace vantrel
