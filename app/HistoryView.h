// The run history on the disk page: ListView1 with its title (Label29), its
// separator (Line1) and its clear label (Label22), filled from the run log.
#pragma once

namespace vantrel {

class StartForm;

// Rebuilds the list from the log, completed runs only while Check9 is ticked.
void RefreshStatistics(StartForm& form);
// Label22: deletes the log without a question, then rebuilds.
void ClearStatistics(StartForm& form);
// The history area shows only with rows to show and room to show them below
// the disk panel.
void ShowHistoryArea(StartForm& form);

}  // namespace vantrel
