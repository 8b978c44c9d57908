// The verb "uninstall", run by the command of the installed-programs entry.
#pragma once

namespace vantrel {

// Asks first; No changes nothing. Otherwise asks whether to keep the
// settings, writes "Uninstall.bat" and "uninstall.reg" into the temporary
// folder, has the registry editor import the one and starts the other, which
// deletes the program once this process has gone. Failing steps are skipped
// without a word.
void UninstallJob();

}  // namespace vantrel
