// The statistics view of earlier runs on the disk page.
#pragma once

namespace vantrel {

// Placeholder until the run log view is built: the list stays empty.
void RefreshStatistics();

}  // namespace vantrel
