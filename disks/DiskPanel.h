// The disk panel of page 2: one slot per listed drive (letter, kind icon,
// selection mark), rebuilt from the live drive list.
#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

class StartForm;

// Rebuilds every slot, then looks for leftover work folders.
void RefreshDiskPanel(StartForm& form);
// The 500 ms tick: rebuilds when the number of listed drives changed.
void DiskListRefresherTick(StartForm& form);
// The hidden picture holder whose icon shows a drive of this kind; empty
// text for an unknown kind, whose slot keeps the picture it has.
std::wstring DriveIconName(int driveType, uint64_t totalSize);

}  // namespace vantrel
