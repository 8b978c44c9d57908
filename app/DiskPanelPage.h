// The disk panel of page 2: one slot per listed drive (letter, kind icon,
// selection mark, tip), rebuilt from the live drive list. Seven slots a row;
// an eighth drive and more start new rows, so every drive can be seen and
// chosen.
#pragma once
#include <string>

namespace vantrel {

class StartForm;

// Rebuilds every slot, then looks for leftover work folders.
void RefreshDiskPanel(StartForm& form);
// The 500 ms tick: rebuilds when the number of listed drives changed.
void DiskListRefresherTick(StartForm& form);
// The letters of the selected slots in panel order, e.g. "EF"; empty text
// when none is selected.
std::wstring SelectedDiskLetters(const StartForm& form);
// A click on slot i (its letter or its icon): flips and stores the choice,
// then rebuilds the panel.
void ToggleDiskSlot(StartForm& form, int i);

}  // namespace vantrel
