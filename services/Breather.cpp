#include "services/Breather.h"

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

}  // namespace vantrel
