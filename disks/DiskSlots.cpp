#include "disks/DiskSlots.h"

#include <cstdio>

#include "disks/DiskSelection.h"
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

std::wstring DiskTip(const std::wstring& letter) {
  Drives& drives = *Os().drives;
  const auto volume = IgnoringFailures(std::optional<VolumeFacts>(), [&] { return drives.Volume(letter); });
  const auto total = IgnoringFailures(std::optional<uint64_t>(), [&] { return drives.TotalSize(letter); });
  const auto free = IgnoringFailures(std::optional<uint64_t>(), [&] { return drives.AvailableSpace(letter + L":"); });
  std::wstring tip;
  if (volume) {
    const std::wstring label = volume->VolumeName.empty() ? LangText(L"VERSION3", L"DISK-TIP-NO-LABEL") : volume->VolumeName;
    tip += label + L" (" + AsciiUpper(letter) + L":)\r\n" + volume->FileSystem;
  }
  if (total) tip += (tip.empty() ? L"" : L"\r\n") + LangText(L"VERSION3", L"DISK-TIP-SIZE") + L" " + SizeText(*total);
  if (free) tip += (tip.empty() ? L"" : L"\r\n") + LangText(L"VERSION3", L"DISK-TIP-FREE") + L" " + SizeText(*free);
  return tip;
}

std::vector<DiskSlot> ReadDiskSlots() {
  std::vector<DiskSlot> slots;
  for (const std::wstring& letter : ListedDriveLetters()) {
    DiskSlot slot;
    slot.letter = AsciiUpper(letter);
    slot.selected = IsDiskSelected(slot.letter);
    const uint64_t total = IgnoringFailures(std::optional<uint64_t>(), [&] { return Os().drives->TotalSize(letter); }).value_or(0);
    slot.icon = DriveIconOf(IgnoringFailures(-1, [&] { return Os().drives->DriveType(letter); }), total);
    slot.tip = DiskTip(letter);
    slots.push_back(slot);
  }
  return slots;
}

}  // namespace vantrel
