// Runs a step and turns whatever it throws into a fixed "nothing" value.
// Only for steps whose failure nobody needs to learn of: a helper whose
// promise is its "nothing" value (an existence test, a read that answers
// empty text), or a step that must not keep the next one from running (a
// window that must leave the run page). A failure that the user or a status
// code has to show is not ignored: it goes to the place that reports it.
#pragma once
#include <utility>

namespace vantrel {

template <class T, class F>
T IgnoringFailures(T nothing, F&& step) noexcept {
  try {
    return std::forward<F>(step)();
  } catch (...) {
    return nothing;
  }
}

template <class F>
void IgnoringFailures(F&& step) noexcept {
  try {
    std::forward<F>(step)();
  } catch (...) {
  }
}

}  // namespace vantrel
