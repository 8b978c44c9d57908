// Stage 4: deleting every work file of a disk and its folder, so the disk
// gets its space back. It runs after a stop and after failures too.
#pragma once
#include "engine/RunState.h"
#include "engine/StageContext.h"

namespace vantrel {

void RemoveWorkFiles(StageContext& stage);
// The session is ending in the middle of a run: Windows may end the process
// at any moment once it is told it may go on, so the work files of the disk
// in work go now, through the run's holds, rather than after its stage.
void ClearWorkNow(Run& run);

}  // namespace vantrel
