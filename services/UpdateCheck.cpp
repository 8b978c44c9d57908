#include "services/UpdateCheck.h"

#include "services/ServiceUrl.h"

namespace vantrel {

void UpdateCheckReminder(bool) {}

// Placeholder until the update check is built: the date of the check is not
// yet stored.
void CheckForUpdatesNow() { ServiceUrl(L"updates", L"", false); }

}  // namespace vantrel
