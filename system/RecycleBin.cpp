#include "system/RecycleBin.h"

#include "platform/Platform.h"
#include "services/Quietly.h"

namespace vantrel {

void EmptyRecycleBin() {
  Quietly([] { Os().shell->EmptyRecycleBin(); });
}

}  // namespace vantrel
