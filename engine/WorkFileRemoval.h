// Stage 4: deleting every work file of a disk and its folder, so the disk
// gets its space back. It runs after a stop and after failures too.
#pragma once
#include <string>

#include "engine/RunState.h"

namespace vantrel {

void RemoveWorkFiles(Run& run, int stage, const std::wstring& workFolder);

}  // namespace vantrel
