#include <algorithm>

#include "engine/RunState.h"
#include "platform/Platform.h"

namespace vantrel {

Run::Run(RunPlan plan, RunView& view) : plan(std::move(plan)), view(view), breather_([this] { this->view.Yield(); }) {}

void Run::SetProgress(int64_t value, int64_t max) {
  if (value == progressValue_ && max == progressMax_) return;
  progressValue_ = value;
  progressMax_ = max;
  view.ShowProgress(value, max);
}

void Run::Yield() { breather_.Now(); }

void Run::Breathe() { breather_(); }

void Run::Wait(uint32_t ms) {
  const uint64_t end = Os().clock->TickMs() + ms;
  for (uint64_t now = Os().clock->TickMs(); now < end; now = Os().clock->TickMs()) {
    Os().clock->Sleep(static_cast<uint32_t>(std::min<uint64_t>(Breather::kEveryMs, end - now)));
    Yield();
  }
}

}  // namespace vantrel
