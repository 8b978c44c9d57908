#include "system/Shutdown.h"

#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/Checkpoint.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

void ShutdownWindows(int mode) {
  IgnoringFailures([] { Os().power->EnableShutdownPrivilege(); });
  constexpr uint32_t kForce = 4, kShutdown = 1, kReboot = 2, kPowerOff = 8;
  uint32_t flags = 0;
  switch (mode) {
    case 0: flags = kForce; break;
    case 1: flags = kShutdown | kForce; break;
    case 2: flags = kShutdown | kReboot | kForce; break;
    case 8: flags = kPowerOff | kForce; break;
    default: return;
  }
  IgnoringFailures([&] { Os().power->EndSession(flags); });
}

ShutdownCountdown::Step ShutdownCountdown::Tick() {
  Step step;
  const int16_t before = count_;
  if (before >= 0)
    step.label = LangText(L"INTERFACE", L"YOURPCTURNOFF1") + L" " + std::to_wstring(before) + L" " +
                 LangText(L"INTERFACE", L"SECONDS");
  count_ = static_cast<int16_t>(before - 1);
  if (before == 0) {
    step.label = LangText(L"INTERFACE", L"SHUTDOWN");
    ShutdownWindows(1);
  }
  if (count_ < kGiveUpBelow) {
    step.label = LangText(L"INTERFACE", L"SHUTDOWNPROBLEM");
    step.goOn = false;
    SetCheckpoint(L"SHUTDOWNPROBLEM");
  }
  return step;
}

}  // namespace vantrel
