// The run over the selected disks: for each, its facts, a work folder that
// is proven writable, the four stages, the log record, the throughput figure
// and a report row; then the finish page.
#pragma once
#include <optional>
#include <string>

#include "engine/RunState.h"

namespace vantrel {

class StartForm;

// The one-shot start of a run, 50 ms after the run page shows.
void WorkNowTick(StartForm& form);
void RunAllDisks(StartForm& form);
// The facts of a selected letter; nothing when no ready drive has it.
std::optional<DiskFacts> ReadDiskFacts(const std::wstring& letter);

}  // namespace vantrel
