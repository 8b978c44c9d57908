// The reminder to look for a newer version, and the check itself: the
// program never learns whether one exists, it sends the user to the page.
#pragma once

namespace vantrel {

// Placeholder until the update check is built: never asks.
void UpdateCheckReminder(bool askingAllowed);
// The verb "updates": today becomes the last check, and the update page
// opens in the browser.
void CheckForUpdatesNow();

}  // namespace vantrel
