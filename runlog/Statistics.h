// The history of earlier runs as the disk page lists it: the run log read
// into rows of texts, and the clearing of the log.
#pragma once
#include <array>
#include <string>
#include <vector>

namespace vantrel {

// Disk, label, start, time and outcome, as the five columns show them.
using HistoryRow = std::array<std::wstring, 5>;

// The log's records in its order (newest first); only completed runs when
// `completedOnly`. A missing or unreadable log has no rows. A line that is
// cut short shows what it has, with empty cells for the rest; a line that
// would show nothing at all (an empty line, bytes without a field) is no row.
std::vector<HistoryRow> ReadHistory(bool completedOnly);

// Deletes the log and the records still waiting to go on top of it, so a
// cleared history does not come back with the next run. False when either
// is still there.
bool ClearHistory();

}  // namespace vantrel
