// The run history below the disk panel: the list of earlier runs read from
// the run log, its title, separator and clear link, and the box that lists
// completed runs only.
#pragma once
#include "app/ChoicesModel.h"
#include "platform/Toolkit.h"

namespace vantrel {

struct HistoryControls {
  Control &separator, &title, &list, &clear, &completedOnly;
};

class HistoryView : public HistoryControls {
 public:
  HistoryView(const HistoryControls& controls, ChoicesModel& choices);
  void Draw();
  // Rebuilds the list from the log.
  void Refresh();
  // Moves the history below as many rows of disks as the panel has.
  void Place(int panelRows, int rowPitch);

 private:
  void Clear();
  // The chosen row whole, in the list's tip.
  void ShowRowTip();
  // Only with rows to show and room below the disks to show them.
  void ShowArea();

  ChoicesModel& choices_;
  const Twips separatorAt_, titleAt_, listAt_;
  bool room_ = true, hasRows_ = false, shown_ = false;
};

}  // namespace vantrel
