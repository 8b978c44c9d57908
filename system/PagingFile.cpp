#include "system/PagingFile.h"

#include "platform/Platform.h"
#include "services/NumericText.h"
#include "services/Quietly.h"

namespace vantrel {

bool PagingFileClearedAtShutdown() {
  return Quietly(false, [] {
    const auto value = Os().registry->Query(
        Hive::LocalMachine, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
        L"ClearPageFileAtShutdown");
    if (!value) return false;
    if (value->type == regtype::Dword && value->data.size() == 4)
      return value->data[0] == 1 && value->data[1] == 0 && value->data[2] == 0 && value->data[3] == 0;
    if (value->type == regtype::String || value->type == regtype::ExpandString)
      return ParseNumber(RegText(*value)) == 1.0;
    return false;
  });
}

void WritePagingFileSetting(bool) {}

}  // namespace vantrel
