// The statistics view of earlier runs on the disk page.
#pragma once

namespace vantrel {

class StartForm;

// Placeholder until the run log view is built: the list stays empty.
void RefreshStatistics(StartForm& form);

}  // namespace vantrel
