// The time estimate of a disk, from the throughput an earlier run of the
// same disk with the same modes reached.
#pragma once
#include <cstdint>
#include <string>

#include "engine/RunState.h"

namespace vantrel {

// The settings key of a disk's throughput figure for the run's modes.
std::wstring ThroughputKey(int64_t serial, CleaningMode cleaning, NtfsMode ntfs);
// When the disk should be done, as the run page shows it; empty text when
// there is no usable figure.
std::wstring EstimateText(const RunPlan& plan, const DiskFacts& disk);
// Keeps the seconds the disk's folder names took, which the next estimate
// adds when the step is on again.
void StoreFolderNamesSeconds(const DiskFacts& disk, int64_t seconds);
// Keeps the disk's bytes per second for the next estimate.
void StoreThroughput(const RunPlan& plan, const DiskFacts& disk, int64_t elapsedSeconds);

}  // namespace vantrel
