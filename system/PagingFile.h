// The Windows option that clears the paging file at shutdown, which removes
// another place where contents of deleted files linger.
#pragma once

namespace vantrel {

// True when the option is set (the registry value is the number 1).
bool PagingFileClearedAtShutdown();
// Sets or clears the option; only an administrator may. False without
// administrator rights, when nothing is written, and when the write failed,
// so that the box never shows a setting the system does not hold.
bool ChangePagingFileSetting(bool clear);

}  // namespace vantrel
