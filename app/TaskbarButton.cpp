#include "app/TaskbarButton.h"

#include <algorithm>
#include <utility>

namespace vantrel {

void TaskbarButton::Tell(int64_t done, int64_t total, bool diskFailed) {
  running_ = true;
  diskFailed_ = diskFailed;
  done_ = total > 0 ? std::clamp(done, int64_t{0}, total) * kSteps / total : 0;
}

void TaskbarButton::Draw(Form& form, bool paused) {
  if (!running_) return;
  const TaskbarState state = paused ? TaskbarState::Paused : diskFailed_ ? TaskbarState::Error : TaskbarState::Normal;
  const TaskbarProgress wanted{state, static_cast<uint64_t>(done_), kSteps};
  if (wanted == shown_) return;
  shown_ = wanted;
  Toolkit().ShowTaskbarProgress(form, wanted);
}

bool TaskbarButton::End(Form& form) {
  if (!std::exchange(running_, false)) return false;
  shown_ = {};
  Toolkit().ShowTaskbarProgress(form, {});
  return true;
}

}  // namespace vantrel
