// One stage of a disk's work, and what the stage workers share: the free
// space, the step icons, the progress throttle and the pause.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "engine/RunState.h"

namespace vantrel {

// Bytes the user may still use on a drive; nothing when the question fails,
// which a stage must not take for a full disk.
std::optional<uint64_t> FreeBytes(const std::wstring& letter);
// The status of a disk whose stage (0 to 3) failed; preparation before any.
DiskStatusCode StageFailure(int stage);
// Shows a stage's state icon and lets the window show it.
void SetStepImage(Run& run, int stage, StepIcon icon);
// True at most about once per interval + 1 seconds.
bool SecondTick(int interval);
// Holds the work while Pause is ticked and Stop is not pressed.
void WaitWhilePaused(Run& run, int stage);
// Shows the stage, runs its worker when it may run, and sets its final icon.
// Whatever the worker throws ends the stage with its failure status.
void RunStage(Run& run, int stage, const DiskFacts& disk);

}  // namespace vantrel
