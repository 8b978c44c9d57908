#include "engine/RunState.h"

#include "engine/WorkArea.h"

namespace vantrel {

Run::Run(RunPlan plan, RunView& view) : plan(std::move(plan)), view(view), breather_([this] { this->view.Yield(); }) {}

Run::~Run() = default;

void Run::SetProgress(int64_t value, int64_t max) {
  if (value == progressValue_ && max == progressMax_) return;
  progressValue_ = value;
  progressMax_ = max;
  view.ShowProgress(value, max);
}

void Run::Yield() { breather_.Now(); }

void Run::Breathe() { breather_(); }

void Run::Wait(uint32_t ms) {
  WaitAnswering(ms, [this] { Yield(); });
}

}  // namespace vantrel
