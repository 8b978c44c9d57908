#include "app/pages/DiskPage.h"

#include <algorithm>

#include "app/Wizard.h"
#include "disks/ListedDrives.h"
#include "services/Checkpoint.h"

namespace vantrel {

DiskPage::DiskPage(const DiskControls& controls, const Icons& icons, HistoryView& history, ChoicesModel& choices,
                   Wizard& wizard)
    : DiskControls(controls), icons_(icons), history_(history), choices_(choices), wizard_(wizard) {
  Form& form = letters[0].form();
  form.arrayClicks[letters.name()] = [this](int i) { Toggle(i); };
  form.arrayClicks[kinds.name()] = [this](int i) { Toggle(i); };
  driveWatch.onTick = [this] { WatchTick(); };
}

void DiskPage::Refresh() {
  // The keyboard stays on its slot (or the last one) through the rebuild,
  // which makes slots anew: a choice by Space, a stick plugged in.
  const Control* had = letters[0].form().Focused();
  const int focusedSlot = had && had->name() == kinds.name() ? had->index() : -1;
  SetCheckpoint(L"DISKREFRESH0");
  slots_ = ReadDiskSlots();
  for (DiskSlot& slot : slots_) slot.selected = choices_->Chosen(slot.letter);
  SetCheckpoint(L"DISKREFRESH1");
  // Every slot beyond the first goes, however many an earlier rebuild made.
  for (const ControlArray* array : {&letters, &boxes, &marks, &kinds})
    for (int index = array->UBound(); index >= 1; --index) array->Unload(index);
  SetCheckpoint(L"DISKREFRESH2");
  for (std::size_t n = 0; n < slots_.size(); ++n) DrawSlot(static_cast<int>(n));
  if (slots_.empty()) EmptyFirstSlot();
  history_.Place(static_cast<int>((slots_.size() + kSlotsPerRow - 1) / kSlotsPerRow), kRowPitchTwips);
  if (Control* kind = focusedSlot < 0 ? nullptr : kinds.Find(std::min(focusedSlot, kinds.UBound())); kind && kind->Visible())
    kind->SetFocus();
  SetCheckpoint(L"");
  wizard_.SweepLeftovers(LeftoverNotice::Tell);
}

// Element n of each array sits one step right of the one before it within
// a row, one row pitch lower for each full row; the hidden box stays where
// element 0 is.
void DiskPage::DrawSlot(int n) {
  const DiskSlot& slot = slots_[n];
  const std::wstring tip = DiskTip(slot);
  const int step = letters[0].form().Width() / kSlotsPerRow;
  auto element = [&](const ControlArray& array, bool placed) -> Control* {
    Control* c = array.Get(n);
    if (!c) return nullptr;
    Twips at = array[0].Position();
    if (placed) {
      at.left += (n % kSlotsPerRow) * step;
      at.top += (n / kSlotsPerRow) * kRowPitchTwips;
    }
    c->Move(at);
    return c;
  };
  if (Control* letter = element(letters, true)) {
    letter->SetCaption(slot.letter);
    letter->SetToolTip(tip);
    letter->SetVisible(true);
  }
  if (Control* box = element(boxes, false)) box->SetValue(slot.selected ? 1 : 0);
  if (Control* mark = element(marks, true)) {
    mark->SetPicture(slot.selected ? icons_.ok.picture() : nullptr);
    mark->SetToolTip(tip);
    mark->SetVisible(true);
  }
  if (Control* kind = element(kinds, true)) {
    kind->SetVisible(true);
    kind->SetToolTip(tip);
    kind->SetAccessibleName(DiskName(slot));
    Control* const pictures[] = {nullptr, &icons_.hardDisk, &icons_.flash, &icons_.externalDisk};
    if (Control* holder = pictures[static_cast<int>(slot.kind)]) kind->SetPicture(holder->picture());
  }
}

// With no drive left, the first slot shows nothing and holds no choice.
void DiskPage::EmptyFirstSlot() {
  boxes[0].SetValue(0);
  for (const ControlArray* array : {&letters, &marks, &kinds}) {
    Control& element = (*array)[0];
    element.SetCaption(L"");
    element.SetToolTip(L"");
    element.SetAccessibleName(L"");
    element.SetPicture(nullptr);
    element.SetVisible(false);
  }
}

void DiskPage::WatchTick() {
  if (ListedDriveLetters().size() != slots_.size()) Refresh();
}

std::vector<std::wstring> DiskPage::SelectedLetters() const {
  std::vector<std::wstring> chosen;
  for (const DiskSlot& slot : slots_)
    if (slot.selected) chosen.push_back(slot.letter);
  return chosen;
}

void DiskPage::Toggle(int i) {
  if (i < 0 || i >= static_cast<int>(slots_.size())) return;
  choices_.ChooseDisk(slots_[i].letter, !slots_[i].selected);
  Refresh();
}

}  // namespace vantrel
