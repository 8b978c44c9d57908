#include "system/SystemActions.h"

namespace vantrel {

void EmptyRecycleBin() {}
void HookStandbyGuard() {}
void UnhookStandbyGuard() {}
void PlayCompletionSound() {}

}  // namespace vantrel
