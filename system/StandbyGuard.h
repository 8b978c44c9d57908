// Keeping the computer out of standby while a run is under way. Older
// systems ask the windows before they suspend, and the guard refuses on
// mains power; every system honours the keep-awake request, which the run
// holds for as long as it lasts.
#pragma once
#include <cstdint>

#include "platform/Toolkit.h"

namespace vantrel {

// Replaces the window's procedure by the guard, keeping the previous one.
// Nothing when a guard is installed already or the window has none.
void HookStandbyGuard(Form &window);
// Gives the window its previous procedure back; nothing when no guard is in.
void UnhookStandbyGuard();
// The guard's procedure: the previous procedure's answer, except that on
// mains power a suspend query is refused.
intptr_t StandbyGuardProc(uint32_t message, uintptr_t wParam, intptr_t lParam);

// For the length of a run: the guard on the window and the keep-awake
// request, both given up when it ends, however it ends.
class StandbyPrevention {
 public:
  explicit StandbyPrevention(Form &window);
  ~StandbyPrevention();
  StandbyPrevention(const StandbyPrevention &) = delete;
  StandbyPrevention &operator=(const StandbyPrevention &) = delete;
};

}  // namespace vantrel
