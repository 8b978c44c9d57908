#include "engine/RunState.h"

#include <algorithm>

#include "engine/WorkArea.h"

namespace vantrel {

Run::Run(RunPlan plan, RunView& view) : plan(std::move(plan)), view(view), breather_([this] { this->view.Yield(); }) {}

Run::~Run() = default;

void Run::SetProgress(int64_t value, int64_t max) {
  if (value == progressValue_ && max == progressMax_) return;
  progressValue_ = value;
  progressMax_ = max;
  view.ShowProgress(value, max);
  ShowRunProgress();
}

void Run::ShowRunProgress(bool diskOver) {
  constexpr int64_t kStageSteps = 1000;
  // A stopped disk has not failed; a failed one keeps the run marked.
  if (diskOver) diskFailed_ |= DiskStatus != kCompleted && DiskStatus != kStopped;
  const int64_t stages = 4 * static_cast<int64_t>(DiskIndex) + (diskOver ? 4 : std::max(StageInWork, 0));
  const int64_t within =
      diskOver || progressMax_ <= 0 ? 0 : std::clamp(progressValue_ * kStageSteps / progressMax_, int64_t{0}, kStageSteps);
  view.ShowRunProgress(stages * kStageSteps + within, 4 * kStageSteps * static_cast<int64_t>(plan.letters.size()),
                       diskFailed_);
}

void Run::Yield() { breather_.Now(); }

void Run::Breathe() { breather_(); }

void Run::Wait(uint32_t ms) {
  WaitAnswering(ms, [this] { Yield(); });
}

}  // namespace vantrel
