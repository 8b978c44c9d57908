#include "services/RunLock.h"

#include "platform/Platform.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

namespace {
constexpr wchar_t kRunLock[] = L"Vantrel.Run";
}  // namespace

std::unique_ptr<MachineLock> TakeRunLock() {
  return IgnoringFailures(std::unique_ptr<MachineLock>(), [] { return Os().system->TakeMachineLock(kRunLock); });
}

bool RunGoing() {
  return IgnoringFailures(true, [] { return Os().system->MachineLockHeld(kRunLock); });
}

}  // namespace vantrel
