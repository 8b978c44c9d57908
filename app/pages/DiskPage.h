// Page 2, the disks: one slot for each drive the program may clean (its
// letter, the mark of the user's choice, the icon of its kind and a tip),
// kept as a list of slot models rebuilt from the live drive list and only
// drawn into the controls. Seven slots a row; an eighth drive and more start
// new rows, so every drive can be seen and chosen.
#pragma once
#include <string>
#include <vector>

#include "app/ChoicesModel.h"
#include "app/ControlArray.h"
#include "app/pages/HistoryView.h"
#include "app/pages/Icons.h"
#include "disks/DiskSlots.h"

namespace vantrel {

class Wizard;

struct DiskControls {
  Control &title, &hint;
  // One element per slot: the letter, the selection mark, the kind's icon,
  // and a hidden box holding the choice.
  ControlArray letters, marks, kinds, boxes;
  // Notices a drive plugged in or pulled out while the page is shown.
  Timer& driveWatch;
};

class DiskPage : public DiskControls {
 public:
  static constexpr int kSlotsPerRow = 7;
  static constexpr int kRowPitchTwips = 1140;

  DiskPage(const DiskControls& controls, const Icons& icons, HistoryView& history, ChoicesModel& choices,
           Wizard& wizard);

  // Rebuilds every slot from the drives there now, then looks for leftover
  // work folders.
  void Refresh();
  // The chosen drives that are there, in panel order.
  std::vector<std::wstring> SelectedLetters() const;
  const std::vector<DiskSlot>& Slots() const { return slots_; }

 private:
  // A click on slot i (its letter or its icon) flips the choice of its drive.
  void Toggle(int i);
  // Rebuilds when the number of listed drives changed.
  void WatchTick();
  void DrawSlot(int n);
  void EmptyFirstSlot();

  const Icons& icons_;
  HistoryView& history_;
  ChoicesModel& choices_;
  Wizard& wizard_;
  std::vector<DiskSlot> slots_;
};

}  // namespace vantrel
