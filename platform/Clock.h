// Time, waiting and the pseudo-random generator.
#pragma once
#include <cstdint>

namespace vantrel {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; only differences are meaningful.
  virtual uint64_t TickMs() = 0;
  virtual void Sleep(uint32_t ms) = 0;
  virtual void SeedRandomFromClock() = 0;
  // Uniform in [0, 1).
  virtual double Random() = 0;
};

}  // namespace vantrel
