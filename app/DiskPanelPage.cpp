#include "app/DiskPanelPage.h"

#include <stdexcept>

#include "app/StartForm.h"
#include "disks/DiskSelection.h"
#include "disks/DiskSlots.h"
#include "disks/LeftoverFolders.h"
#include "disks/ListedDrives.h"
#include "services/Checkpoint.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

namespace {

constexpr int kSlotsPerRow = 7;

// Element n of a slot array, created when missing: one step right of the
// slot before it within a row, one row pitch lower for each full row.
Control& Slot(const ControlArray& array, int n, int step, bool placed) {
  Control* c = array.Find(n);
  if (!c) c = array.Load(n);
  if (!c) throw std::runtime_error("no slot");
  Twips at = array[0].Position();
  if (placed) {
    at.left += (n % kSlotsPerRow) * step;
    at.top += (n / kSlotsPerRow) * StartForm::kDiskRowPitchTwips;
  }
  c->Move(at);
  return *c;
}

Control* IconHolder(const StartControls& c, DriveIcon icon) {
  switch (icon) {
    case DriveIcon::HardDisk: return c.DiskHDD;
    case DriveIcon::Flash: return c.DiskFlash;
    case DriveIcon::ExternalDisk: return c.DiskEHDD;
    case DriveIcon::Keep: return nullptr;
  }
  return nullptr;
}

void FillSlot(StartForm& form, int n, const DiskSlot& slot, int step) {
  const StartControls& c = form.c;
  IgnoringFailures([&] {
    Control& label = Slot(c.DiskLabel, n, step, true);
    label.SetCaption(slot.letter);
    label.SetToolTip(slot.tip);
    label.SetVisible(true);
  });
  IgnoringFailures([&] { Slot(c.DiskSelect, n, step, false).SetValue(slot.selected ? 1 : 0); });
  IgnoringFailures([&] {
    Control& mark = Slot(c.DiskImageSel, n, step, true);
    mark.SetPicture(slot.selected ? c.IconOK->picture() : nullptr);
    mark.SetToolTip(slot.tip);
    mark.SetVisible(true);
  });
  IgnoringFailures([&] {
    Control& image = Slot(c.DiskImage, n, step, true);
    image.SetVisible(true);
    image.SetToolTip(slot.tip);
    if (Control* holder = IconHolder(c, slot.icon)) image.SetPicture(holder->picture());
  });
}

// With no drive left, the first slot shows nothing and holds no choice: a
// selection left on an empty slot would run a disk nobody sees.
void EmptyFirstSlot(const StartControls& c) {
  IgnoringFailures([&] {
    c.DiskSelect[0].SetValue(0);
    for (const ControlArray* array : {&c.DiskLabel, &c.DiskImageSel, &c.DiskImage}) {
      Control& element = (*array)[0];
      element.SetCaption(L"");
      element.SetToolTip(L"");
      element.SetPicture(nullptr);
      element.SetVisible(false);
    }
  });
}

}  // namespace

void RefreshDiskPanel(StartForm& form) {
  const StartControls& c = form.c;
  SetCheckpoint(L"DISKREFRESH0");
  const std::vector<DiskSlot> slots = IgnoringFailures(std::vector<DiskSlot>(), [] { return ReadDiskSlots(); });
  SetCheckpoint(L"DISKREFRESH1");
  // Every slot beyond the first goes, however many an earlier rebuild made.
  for (const ControlArray* array : {&c.DiskLabel, &c.DiskSelect, &c.DiskImageSel, &c.DiskImage})
    for (int index = array->UBound(); index >= 1; --index) array->Unload(index);
  SetCheckpoint(L"DISKREFRESH2");
  const int step = form.ui.Width() / 7;
  for (std::size_t n = 0; n < slots.size(); ++n) FillSlot(form, static_cast<int>(n), slots[n], step);
  if (slots.empty()) EmptyFirstSlot(c);
  IgnoringFailures([&] { form.PlaceDiskHistory(static_cast<int>((slots.size() + kSlotsPerRow - 1) / kSlotsPerRow)); });
  SetCheckpoint(L"");
  form.SweepLeftovers(LeftoverNotice::Tell);
}

void DiskListRefresherTick(StartForm& form) {
  const int listed = static_cast<int>(ListedDriveLetters().size());
  if (listed != form.c.DiskSelect.UBound() + 1) RefreshDiskPanel(form);
}

std::wstring SelectedDiskLetters(const StartForm& form) {
  const StartControls& c = form.c;
  std::wstring letters;
  for (int i = 0; i <= c.DiskSelect.UBound(); ++i) {
    const Control* box = c.DiskSelect.Find(i);
    const Control* label = c.DiskLabel.Find(i);
    if (box && label && box->Value() == 1 && label->Visible()) letters += label->Caption();
  }
  return letters;
}

void ToggleDiskSlot(StartForm& form, int i) {
  Control* box = form.c.DiskSelect.Find(i);
  Control* label = form.c.DiskLabel.Find(i);
  if (!box || !label || label->Caption().empty()) return;
  const bool selected = box->Value() == 1;
  box->SetValue(selected ? 0 : 1);
  StoreDiskSelection(label->Caption(), !selected);
  RefreshDiskPanel(form);
}

}  // namespace vantrel
