// The user's choice of disks: kept per drive letter in the settings store.
#pragma once
#include <string>

namespace vantrel {

class StartForm;

// The letters of the selected slots in panel order, e.g. "EF"; empty text
// when none is selected.
std::wstring SelectedDiskLetters(const StartForm& form);
// A click on slot i (its letter or its icon): flips and stores the choice,
// then rebuilds the panel.
void ToggleDiskSlot(StartForm& form, int i);

}  // namespace vantrel
