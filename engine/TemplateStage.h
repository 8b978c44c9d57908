// Stage 2: the fill template, "temp.xd" in the data folder, lines of fill
// text that stage 3 copies into the free space.
#pragma once
#include <cstdint>

#include "engine/StageContext.h"

namespace vantrel {

// The fill's unit: a whole template holds a line per thousand of these
// bytes, and stage 3 copies it while the disk has room for this much more.
// 50,000,000, a tenth of that for a removable disk.
uint64_t TemplateBasis(bool removable);
// Writes the template; stops within a line of a reserve of the Windows
// drive's free space, and then leaves a template that is not whole.
void MakeTemplateFile(StageContext& stage);

}  // namespace vantrel
