// Stage 1: many small files with long names, so the file system reuses the
// records in which names and small contents of deleted files linger.
#pragma once
#include <string>

#include "engine/RunState.h"

namespace vantrel {

// Name file number i: "bo" + i + "-" + a block of 100 digits + ".$$$".
std::wstring NameFileName(int i);
// How many files stage 1 plans for a disk: by its size, capped by the
// metadata mode, a hundredth on a small removable disk, at least 1.
int PlannedNameFiles(uint64_t totalSize, NtfsMode ntfs, bool removable, uint64_t freeBytes);
// On FAT the work folder holds at most 65,536 directory entries, and each
// name file takes ten of them: the most name files that fit beside the
// files a fill of `freeBytes` will add (none when no fill follows).
int FatFolderRoom(uint64_t freeBytes, bool removable, bool fillFollows);
void WriteNameFiles(Run& run, int stage, const DiskFacts& disk);

}  // namespace vantrel
