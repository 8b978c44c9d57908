// Stage 1: many small files with long names, so the file system reuses the
// records in which names and small contents of deleted files linger.
#pragma once
#include <string>

#include "engine/StageContext.h"

namespace vantrel {

// How many files stage 1 plans for a disk: by its size, capped by the
// metadata mode, a hundredth on a small removable disk, at least 1.
int PlannedNameFiles(uint64_t totalSize, NtfsMode ntfs, bool removable, uint64_t freeBytes);
void WriteNameFiles(StageContext& stage);

}  // namespace vantrel
