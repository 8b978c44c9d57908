// The Windows option that clears the paging file at shutdown.
#pragma once

namespace vantrel {

// True when the option is set (the registry value is the number 1).
bool PagingFileClearedAtShutdown();
// Placeholder until the paging-file option is built: the box's state is not
// yet written to the registry.
void WritePagingFileSetting(bool clear);

}  // namespace vantrel
