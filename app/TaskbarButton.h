// What a run's window shows on its taskbar button: the run's share done, in
// steps of half a percent, and its state (paused, a disk failed). Sent only
// when either changes, since each call reaches the shell's process.
#pragma once
#include <cstdint>

#include "platform/Toolkit.h"

namespace vantrel {

class TaskbarButton {
 public:
  // From the run: done out of total, and whether a disk has failed so far.
  void Tell(int64_t done, int64_t total, bool diskFailed);
  // At the window's turn.
  void Draw(Form& form, bool paused);
  // Cleared once the run is over; true when it was shown.
  bool End(Form& form);

 private:
  static constexpr int64_t kSteps = 200;
  bool running_ = false, diskFailed_ = false;
  int64_t done_ = 0;
  TaskbarProgress shown_;
};

}  // namespace vantrel
