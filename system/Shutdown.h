// Turning the computer off after a run, after a countdown the user sees and
// can break off.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// 0 log off, 1 shut down (the one the program uses), 2 restart, 8 power
// off, each forced; any other mode only enables the privilege. Reports
// nothing: a refused request shows only as the countdown's problem text.
void ShutdownWindows(int mode);

// The finish page's countdown, one tick a second: 20 down to 0 on the
// label, the shutdown request on the tick after 0, and when the program
// is still running 15 ticks later, the problem text, kept as a checkpoint
// for the next start's error report.
class ShutdownCountdown {
 public:
  static constexpr int16_t kStart = 20;
  static constexpr int16_t kGiveUpBelow = -15;

  void Start() { count_ = kStart; }
  struct Step {
    std::optional<std::wstring> label;  // the label's new text, if it changes
    bool goOn = true;                   // false: the timer stops
  };
  Step Tick();

 private:
  int16_t count_ = kStart;
};

}  // namespace vantrel
