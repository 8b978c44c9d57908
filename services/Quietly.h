// The helpers promise that no failure reaches their callers: whatever a step
// throws turns into the helper's "nothing" value.
#pragma once
#include <utility>

namespace vantrel {

template <class T, class F>
T Quietly(T nothing, F&& step) noexcept {
  try {
    return std::forward<F>(step)();
  } catch (...) {
    return nothing;
  }
}

template <class F>
void Quietly(F&& step) noexcept {
  try {
    std::forward<F>(step)();
  } catch (...) {
  }
}

}  // namespace vantrel
