#include "system/StandbyGuard.h"

#include "platform/Platform.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

namespace {

constexpr uint32_t kPowerMessage = 0x48;  // the oldest systems' suspend request
constexpr uintptr_t kSuspendRequest = 1;
constexpr intptr_t kPowerFail = -1;
constexpr uint32_t kPowerBroadcast = 0x218;
constexpr uintptr_t kQuerySuspend = 0;
constexpr intptr_t kBroadcastQueryDeny = 0x424D5144;

struct Guard {
  Form *window = nullptr;
  WindowProc previous;  // empty while no guard is installed
};

Guard &TheGuard() {
  static Guard guard;
  return guard;
}

}  // namespace

void HookStandbyGuard(Form &window) {
  Guard &guard = TheGuard();
  if (guard.previous) return;
  WindowProc previous = Toolkit().ReplaceWindowProc(window, StandbyGuardProc);
  if (!previous) return;
  guard.window = &window;
  guard.previous = std::move(previous);
}

void UnhookStandbyGuard() {
  Guard &guard = TheGuard();
  if (!guard.previous) return;
  Toolkit().ReplaceWindowProc(*guard.window, guard.previous);
  guard = Guard{};
}

intptr_t StandbyGuardProc(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  const WindowProc previous = TheGuard().previous;
  const intptr_t answer = previous ? previous(message, wParam, lParam) : 0;
  // Only a suspend query needs the power status, which costs a system call.
  const bool suspendQuery = (message == kPowerMessage && wParam == kSuspendRequest) ||
                            (message == kPowerBroadcast && wParam == kQuerySuspend);
  if (!suspendQuery || Os().power->MainsStatus() != mains::Online) return answer;
  return message == kPowerMessage ? kPowerFail : kBroadcastQueryDeny;
}

StandbyPrevention::StandbyPrevention(Form &window) {
  IgnoringFailures([&] { HookStandbyGuard(window); });
  IgnoringFailures([] { Os().power->KeepSystemAwake(true); });
}

StandbyPrevention::~StandbyPrevention() {
  IgnoringFailures([] { Os().power->KeepSystemAwake(false); });
  IgnoringFailures([] { UnhookStandbyGuard(); });
}

}  // namespace vantrel
