// Every choice the wizard keeps in the settings store, with its section, key
// and the way its value is written, so no other file knows an encoding.
#pragma once
#include <optional>

#include "engine/RunPlan.h"

namespace vantrel::choices {

// Yes-or-no choices. Some are stored "YES" when on and empty when off;
// others empty when on and "NO" when off, so that absent means on.
enum class Flag {
  SkipWelcome,      // start on the disk page
  ShowGoodOnly,     // the run history lists completed runs only
  PlaySound,        // the completion sound
  PreventStandby,   // keep the computer awake during a run
  EmptyRecycleBin,  // before a run
};

bool Get(Flag flag);
void Set(Flag flag, bool on);

// Nothing when no method, or an unknown one, is stored.
std::optional<OverwriteMethod> Method();
void SetMethod(OverwriteMethod method);
// The modes as stored; nothing for a value that is none of their codes.
std::optional<CleaningMode> CleaningAsStored();
std::optional<NtfsMode> NtfsAsStored();
// The modes a run takes: anything but a known code reads as the first mode.
CleaningMode Cleaning();
void SetCleaning(CleaningMode mode);
NtfsMode Ntfs();
void SetNtfs(NtfsMode mode);

}  // namespace vantrel::choices
