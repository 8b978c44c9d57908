// The run over the plan's disks: for each, its facts, a work folder that is
// proven writable, the four stages, the log record, the throughput figure
// and a report row; then the finish page.
#pragma once
#include <optional>
#include <string>

#include "engine/RunState.h"

namespace vantrel {

// The whole run as the run page starts it: the Recycle Bin when asked, the
// disks, and the finish page whatever happened on the way.
void StartRun(Run& run);
void RunAllDisks(Run& run);
// The facts of a selected letter; nothing when no ready drive has it.
std::optional<DiskFacts> ReadDiskFacts(const std::wstring& letter);

}  // namespace vantrel
