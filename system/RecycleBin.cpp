#include "system/RecycleBin.h"

#include "platform/Platform.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

void EmptyRecycleBin() {
  IgnoringFailures([] { Os().shell->EmptyRecycleBin(); });
}

}  // namespace vantrel
