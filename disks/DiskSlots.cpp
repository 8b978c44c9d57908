#include "disks/DiskSlots.h"

#include <cstdio>

#include "disks/ListedDrives.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/IgnoringFailures.h"
#include "services/NumericText.h"

namespace vantrel {

namespace {
constexpr uint64_t kExternalDiskSize = 33'000'000'000ull;
}  // namespace

DriveIcon DriveIconOf(int driveType, uint64_t totalSize) {
  switch (driveType) {
    case drivetype::Removable: return totalSize > kExternalDiskSize ? DriveIcon::ExternalDisk : DriveIcon::Flash;
    case drivetype::Fixed:
    case drivetype::Network: return DriveIcon::HardDisk;
    default: return DriveIcon::Keep;
  }
}

std::wstring SizeText(uint64_t bytes) {
  const wchar_t* const units[] = {L"bytes", L"KB", L"MB", L"GB", L"TB", L"PB"};
  double value = static_cast<double>(bytes);
  int unit = 0;
  while (value >= 1024 && unit < 5) {
    value /= 1024;
    ++unit;
  }
  wchar_t text[32];
  // Three figures at most, as Explorer shows them: 7.45 GB, 74.5 GB, 745 GB.
  const wchar_t* format = unit == 0 || value >= 100 ? L"%.0f %ls" : value >= 10 ? L"%.1f %ls" : L"%.2f %ls";
  std::swprintf(text, 32, format, value, units[unit]);
  return text;
}

std::wstring DiskTip(const DiskSlot& slot) {
  std::wstring tip;
  if (slot.label) {
    const std::wstring label = slot.label->empty() ? LangText(L"VERSION3", L"DISK-TIP-NO-LABEL") : *slot.label;
    tip += label + L" (" + slot.letter + L":)\r\n" + slot.fileSystem;
  }
  auto line = [&](const wchar_t* key, const std::optional<uint64_t>& bytes) {
    if (bytes) tip += (tip.empty() ? L"" : L"\r\n") + LangText(L"VERSION3", key) + L" " + SizeText(*bytes);
  };
  line(L"DISK-TIP-SIZE", slot.size);
  line(L"DISK-TIP-FREE", slot.freeSpace);
  return tip;
}

std::wstring DiskName(const DiskSlot& slot) {
  std::wstring name = slot.letter + L":";
  if (slot.label) name += L", " + (slot.label->empty() ? LangText(L"VERSION3", L"DISK-TIP-NO-LABEL") : *slot.label);
  if (!slot.fileSystem.empty()) name += L", " + slot.fileSystem;
  if (slot.freeSpace) name += L", " + LangText(L"VERSION3", L"DISK-TIP-FREE") + L" " + SizeText(*slot.freeSpace);
  return name + L", " + LangText(L"VERSION3", slot.selected ? L"DISK-SELECTED" : L"DISK-NOT-SELECTED");
}

std::vector<DiskSlot> ReadDiskSlots() {
  Drives& drives = *Os().drives;
  std::vector<DiskSlot> slots;
  for (const std::wstring& letter : ListedDriveLetters()) {
    DiskSlot slot;
    slot.letter = AsciiUpper(letter);
    if (const auto volume = IgnoringFailures(std::optional<VolumeFacts>(), [&] { return drives.Volume(letter); })) {
      slot.label = volume->VolumeName;
      slot.fileSystem = volume->FileSystem;
    }
    slot.size = IgnoringFailures(std::optional<uint64_t>(), [&] { return drives.TotalSize(letter); });
    slot.freeSpace = IgnoringFailures(std::optional<uint64_t>(), [&] { return drives.AvailableSpace(letter + L":"); });
    slot.kind = DriveIconOf(IgnoringFailures(-1, [&] { return drives.DriveType(letter); }), slot.size.value_or(0));
    slots.push_back(slot);
  }
  return slots;
}

}  // namespace vantrel
