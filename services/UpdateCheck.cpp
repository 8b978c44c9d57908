#include "services/UpdateCheck.h"

namespace vantrel {

void UpdateCheckReminder(bool) {}

}  // namespace vantrel
