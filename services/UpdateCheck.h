// The reminder to look for a newer version.
#pragma once

namespace vantrel {

// Placeholder until the update check is built: never asks.
void UpdateCheckReminder(bool askingAllowed);

}  // namespace vantrel
