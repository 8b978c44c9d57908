// What the disk panel shows of each drive the program may clean: its letter,
// the kind of icon, whether the user selected it, and a tip that tells one
// disk from another before choosing it. Asked of the system anew each time.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// Unknown kinds get no icon of their own: their slot keeps what it shows.
enum class DriveIcon { Keep, HardDisk, Flash, ExternalDisk };

struct DiskSlot {
  std::wstring letter;  // upper case
  DriveIcon icon = DriveIcon::Keep;
  bool selected = false;
  std::wstring tip;
};

DriveIcon DriveIconOf(int driveType, uint64_t totalSize);
// Volume label, file system, size and free space, one per line; what cannot
// be read is left out.
std::wstring DiskTip(const std::wstring& letter);
// "931 MB", "465.8 GB": sizes as Windows shows them, in units of 1024.
std::wstring SizeText(uint64_t bytes);
// One slot per listed drive, in the system's order.
std::vector<DiskSlot> ReadDiskSlots();

}  // namespace vantrel
