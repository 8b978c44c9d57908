// Page 3, the cleaning mode (file records only, or the free space as well)
// and how many file records the metadata cleaning overwrites.
#pragma once
#include "app/ChoicesModel.h"
#include "platform/Toolkit.h"

namespace vantrel {

struct ModeControls {
  Control &title, &quick, &quickInfo, &full, &fullInfo;
  // The record modes stand in a group of their own.
  Control &recordsTitle, &recordsInfo, &recordsGroup, &normal, &thorough, &maximum;
};

class ModePage : public ModeControls {
 public:
  ModePage(const ModeControls& controls, ChoicesModel& choices);
  // An unknown stored mode selects no option.
  void Draw();

 private:
  ChoicesModel& choices_;
};

}  // namespace vantrel
