#include "runlog/Statistics.h"

namespace vantrel {

void RefreshStatistics() {}

}  // namespace vantrel
