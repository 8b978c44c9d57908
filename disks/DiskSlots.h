// What the disk panel shows of each drive the program may clean: its letter,
// volume label, file system, size and free space, and the kind of icon.
// Asked of the system anew each time; whether the user chose the disk comes
// from the user's choices, not from here.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// Unknown kinds get no icon of their own: their slot keeps what it shows.
enum class DriveIcon { Keep, HardDisk, Flash, ExternalDisk };

struct DiskSlot {
  std::wstring letter;  // upper case
  // The volume's label and file system; no label when the volume could not
  // be read (an empty one is a volume without a label).
  std::optional<std::wstring> label;
  std::wstring fileSystem;
  std::optional<uint64_t> size, freeSpace;  // nothing when unreadable
  DriveIcon kind = DriveIcon::Keep;
  bool selected = false;
};

DriveIcon DriveIconOf(int driveType, uint64_t totalSize);
// Volume label, file system, size and free space, one per line; what cannot
// be read is left out. It tells one disk from another before choosing it.
std::wstring DiskTip(const DiskSlot& slot);
// What a screen reader says for a slot: "D:, DATA, NTFS, Free: 7.45 GB,
// selected"; what cannot be read is left out.
std::wstring DiskName(const DiskSlot& slot);
// "931 MB", "465.8 GB": sizes as Windows shows them, in units of 1024.
std::wstring SizeText(uint64_t bytes);
// One slot per listed drive, in the system's order, none selected.
std::vector<DiskSlot> ReadDiskSlots();

}  // namespace vantrel
