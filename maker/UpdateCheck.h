// The reminder to look for a newer version, and the check itself: the
// program never learns whether one exists, it sends the user to the page.
#pragma once
#include <cstdint>

namespace vantrel {

// Whole days since the last update check, stored as "Recent Update" in the
// user's short date format. The first call stores today; a stored text that
// is no date counts as 0.
int16_t DaysSinceUpdateCheck();
// After 91 days or more, asks (when asking is allowed) whether to check now;
// Yes opens the update page and makes today the last check, No keeps the date.
void UpdateCheckReminder(bool askingAllowed);
// The verb "updates": today becomes the last check, and the update page
// opens in the browser.
void CheckForUpdatesNow();

}  // namespace vantrel
