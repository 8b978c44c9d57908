// The verb "uninstall", run by the command of the installed-programs entry.
#pragma once

namespace vantrel {

// Without administrator rights says so and changes nothing. Otherwise asks
// first; No changes nothing. Then asks whether to keep the settings, writes
// "Uninstall.bat" and "uninstall.reg" into the temporary folder, has the
// registry editor import the one and starts the other, which deletes the
// program once this process has gone. "REMOVED" is shown only when both
// scripts were written whole and the registry editor started; otherwise
// neither runs, both go, and the message says the program was not removed.
void UninstallJob();

}  // namespace vantrel
