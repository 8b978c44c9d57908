#include "platform/fake/FakeSystem.h"

namespace vantrel::fake {

double FakeClock::Random() {
  if (!scriptedRandom.empty()) {
    const double r = scriptedRandom.front();
    scriptedRandom.pop_front();
    return r;
  }
  return std::uniform_real_distribution<double>(0.0, 1.0)(generator_);
}

}  // namespace vantrel::fake
