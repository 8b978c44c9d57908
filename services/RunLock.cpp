#include "services/RunLock.h"

#include "platform/Platform.h"
#include "services/Quietly.h"

namespace vantrel {

std::unique_ptr<MachineLock> TakeRunLock() {
  return Quietly(std::unique_ptr<MachineLock>(), [] { return Os().system->TakeMachineLock(L"Vantrel.Run"); });
}

bool RunGoing() { return TakeRunLock() == nullptr; }

}  // namespace vantrel
