// Stage 3: the fill of a disk's free space with template copies, then long
// and short lines, down to a few thousand free bytes; then the template
// goes. A template that stage 2 cut short is not copied: the lines fill
// instead.
#pragma once
#include "engine/StageContext.h"

namespace vantrel {

void FillFreeSpace(StageContext& stage);

}  // namespace vantrel
