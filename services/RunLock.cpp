#include "services/RunLock.h"

#include "platform/Platform.h"
#include "services/Quietly.h"

namespace vantrel {

namespace {
constexpr wchar_t kRunLock[] = L"Vantrel.Run";
}  // namespace

std::unique_ptr<MachineLock> TakeRunLock() {
  return Quietly(std::unique_ptr<MachineLock>(), [] { return Os().system->TakeMachineLock(kRunLock); });
}

bool RunGoing() {
  return Quietly(true, [] { return Os().system->MachineLockHeld(kRunLock); });
}

}  // namespace vantrel
