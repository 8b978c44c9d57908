#include "disks/DiskPanel.h"

#include "app/Settings.h"
#include "app/StartForm.h"
#include "disks/LeftoverFolders.h"
#include "disks/ListedDrives.h"
#include "platform/Platform.h"
#include "services/Checkpoint.h"
#include "services/NumericText.h"
#include "services/Quietly.h"

namespace vantrel {

namespace {

constexpr uint64_t kExternalDiskSize = 33'000'000'000ull;
constexpr int kMaxRemovedSlot = 20;
const wchar_t* const kSlotArrays[] = {L"DiskSelect", L"DiskLabel", L"DiskImage", L"DiskImageSel"};

// Element n of a slot array, created when missing, one step right of n-1.
Control& Slot(StartForm& form, const wchar_t* array, int n, int step, bool shifts) {
  Control* c = form.ui.Find(array, n);
  if (!c) c = form.ui.Load(array, n);
  const Twips& first = form(array, 0).Position();
  Twips at = first;
  if (n > 0 && shifts) at.left = form(array, n - 1).Position().left + step;
  c->Move(at);
  return *c;
}

void FillSlot(StartForm& form, int n, const std::wstring& letter, int step) {
  const bool selected = ReadSetting(kProgramSettings, L"DiskSelection", AsciiUpper(letter)) == L"YES";
  Quietly([&] {
    Control& label = Slot(form, L"DiskLabel", n, step, true);
    label.SetCaption(AsciiUpper(letter));
    label.SetVisible(true);
  });
  Quietly([&] { Slot(form, L"DiskSelect", n, step, false).SetValue(selected ? 1 : 0); });
  Quietly([&] {
    Control& mark = Slot(form, L"DiskImageSel", n, step, true);
    mark.SetPicture(selected ? form(L"IconOK").picture() : nullptr);
    mark.SetVisible(true);
  });
  Quietly([&] {
    Control& image = Slot(form, L"DiskImage", n, step, true);
    image.SetVisible(true);
    const uint64_t total = Os().drives->TotalSize(letter).value_or(0);
    const std::wstring icon = DriveIconName(Os().drives->DriveType(letter), total);
    if (!icon.empty()) image.SetPicture(form(icon).picture());
  });
}

}  // namespace

std::wstring DriveIconName(int driveType, uint64_t totalSize) {
  switch (driveType) {
    case drivetype::Removable: return totalSize > kExternalDiskSize ? L"DiskEHDD" : L"DiskFlash";
    case drivetype::Fixed:
    case drivetype::Network: return L"DiskHDD";
    default: return L"";
  }
}

void RefreshDiskPanel(StartForm& form) {
  SetCheckpoint(L"DISKREFRESH0");
  const std::vector<std::wstring> letters = Quietly(std::vector<std::wstring>(), [] { return Os().drives->Letters(); });
  SetCheckpoint(L"DISKREFRESH1");
  for (int index = 0; index <= kMaxRemovedSlot; ++index)
    for (const wchar_t* array : kSlotArrays) form.ui.Unload(array, index);
  int n = -1;
  SetCheckpoint(L"DISKREFRESH2");
  const int step = form.ui.Width() / 7;
  for (const std::wstring& letter : letters) {
    if (!IsListedDrive(letter)) continue;
    FillSlot(form, ++n, letter, step);
  }
  SetCheckpoint(L"");
  RemoveLeftoverWorkFolders();
}

void DiskListRefresherTick(StartForm& form) {
  const int listed = static_cast<int>(ListedDriveLetters().size());
  if (listed != form.ui.UBound(L"DiskSelect") + 1) RefreshDiskPanel(form);
}

}  // namespace vantrel
