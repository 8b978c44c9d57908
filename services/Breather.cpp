#include "services/Breather.h"

#include <algorithm>

#include "platform/Platform.h"

namespace vantrel {

Breather::Breather(std::function<void()> letWindowAnswer)
    : answer_(std::move(letWindowAnswer)), lastMs_(Os().clock->TickMs()) {}

void Breather::Now() {
  if (answer_) answer_();
  lastMs_ = Os().clock->TickMs();
}

void Breather::operator()() {
  if (Os().clock->TickMs() - lastMs_ >= kEveryMs) Now();
}

void WaitAnswering(uint32_t ms, const std::function<void()>& letWindowAnswer) {
  const uint64_t end = Os().clock->TickMs() + ms;
  for (uint64_t now = Os().clock->TickMs(); now < end; now = Os().clock->TickMs()) {
    Os().clock->Sleep(static_cast<uint32_t>(std::min<uint64_t>(Breather::kEveryMs, end - now)));
    if (letWindowAnswer) letWindowAnswer();
  }
}

}  // namespace vantrel
