// Lets the window answer in the middle of long work: the work calls it after
// every small step, and it passes the call on to the window only when enough
// time went by since the window last had its turn.
#pragma once
#include <cstdint>
#include <functional>

namespace vantrel {

class Breather {
 public:
  // A window that answers within a quarter of a second feels alive; turns
  // come at least this often, and not on every step of a fast loop.
  static constexpr uint64_t kEveryMs = 40;

  explicit Breather(std::function<void()> letWindowAnswer);
  // The window's turn now.
  void Now();
  // The window's turn when it is due.
  void operator()();

 private:
  std::function<void()> answer_;
  uint64_t lastMs_;
};

// Waits the given time in short sleeps, giving the window its turn after
// each, so a wait never freezes it.
void WaitAnswering(uint32_t ms, const std::function<void()>& letWindowAnswer);

}  // namespace vantrel
