// One stage of a disk's work: its title, its step image, and its worker.
#pragma once
#include "engine/RunState.h"

namespace vantrel {

// Shows the stage, runs its worker when it may run, and sets its final icon.
// Whatever the worker throws ends the stage with its failure status.
void RunStage(Run& run, int stage, const DiskFacts& disk);

}  // namespace vantrel
