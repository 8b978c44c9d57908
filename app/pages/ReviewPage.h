// Page 5, the review: the chosen disks, the overwrite requested, whether the
// Recycle Bin is emptied, and the cleaning modes, all from the choices.
#pragma once
#include <string>
#include <vector>

#include "app/ChoicesModel.h"
#include "platform/Toolkit.h"

namespace vantrel {

struct ReviewControls {
  Control &title, &disksTitle, &disks, &actionTitle, &action, &binTitle, &bin, &modeTitle, &mode, &startHint,
      &avoidConflicts;
};

class ReviewPage : public ReviewControls {
 public:
  explicit ReviewPage(const ReviewControls& controls) : ReviewControls(controls) {}
  void Fill(const std::vector<std::wstring>& letters, const Choices& choices);
};

}  // namespace vantrel
