#include "system/PagingFile.h"

#include "platform/Platform.h"
#include "services/Checkpoint.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"
#include "services/NumericText.h"

namespace vantrel {

namespace {
constexpr wchar_t kMemoryManagement[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr wchar_t kClearAtShutdown[] = L"ClearPageFileAtShutdown";
}  // namespace

bool PagingFileClearedAtShutdown() {
  return IgnoringFailures(false, [] {
    const auto value = Os().registry->Query(Hive::LocalMachine, kMemoryManagement, kClearAtShutdown);
    if (!value) return false;
    if (value->type == regtype::Dword && value->data.size() == 4)
      return value->data[0] == 1 && value->data[1] == 0 && value->data[2] == 0 && value->data[3] == 0;
    if (value->type == regtype::String || value->type == regtype::ExpandString)
      return ParseNumber(RegText(*value)) == 1.0;
    return false;
  });
}

bool ChangePagingFileSetting(bool clear) {
  if (!Env().IsAdmin) return false;
  SetCheckpoint(L"MEMORYMANAGEMENT");
  // Asked for by a click: a fault is a value not written.
  const bool written = IgnoringFailures(false, [&] {
    return Os().registry->SetValue(Hive::LocalMachine, kMemoryManagement, kClearAtShutdown, DwordValue(clear ? 1 : 0));
  });
  SetCheckpoint(L"");
  return written;
}

}  // namespace vantrel
