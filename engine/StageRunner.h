// One stage of a disk's work, and what the stage workers share: the free
// space, the step icons, the progress throttle, the pause, the estimate.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "engine/RunState.h"

namespace vantrel {

class StartForm;

// Bytes the user may still use on a drive; nothing when the question fails,
// which a stage must not take for a full disk.
std::optional<uint64_t> FreeBytes(const std::wstring& letter);
// StepImage(i) takes over the picture of one of the state icons.
void SetStepImage(StartForm& form, int i, const wchar_t* icon);
// True at most about once per interval + 1 seconds.
bool SecondTick(RunState& run, int interval);
// Holds the work while Pause is ticked and Stop is not pressed.
void WaitWhilePaused(StartForm& form, int stage);
// Shows the stage, runs its worker when it may run, and sets its final icon.
// Whatever the worker throws ends the stage with its failure status.
void RunStage(StartForm& form, int stage, const DiskFacts& disk);

// The settings key of a disk's throughput figure for the run's modes.
std::wstring ThroughputKey(int64_t serial, int cleaningMode, int ntfsMode);
// Label14: when the disk should be done, from its earlier throughput.
void ShowEstimate(StartForm& form, const DiskFacts& disk);
// Keeps the disk's bytes per second for the next estimate.
void StoreThroughput(const StartForm& form, const DiskFacts& disk, int64_t elapsedSeconds);

}  // namespace vantrel
