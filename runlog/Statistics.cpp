#include "runlog/Statistics.h"

namespace vantrel {

void RefreshStatistics(StartForm&) {}

}  // namespace vantrel
