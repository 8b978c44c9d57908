#include "platform/fake/Faults.h"

#include <algorithm>

namespace vantrel::fake {

void Faults::Fail(FsOp op, uint64_t n, FsFailure outcome) {
  rules_.push_back({op, Calls(op) + std::max<uint64_t>(n, 1), false, outcome});
}

void Faults::FailFrom(FsOp op, uint64_t n, FsFailure outcome) {
  rules_.push_back({op, Calls(op) + std::max<uint64_t>(n, 1), true, outcome});
}

void Faults::Clear() { rules_.clear(); }

uint64_t Faults::Calls(FsOp op) const {
  const auto it = calls_.find(op);
  return it == calls_.end() ? 0 : it->second;
}

// A one-time rule goes once it has fired; when two rules meet the same call,
// the one set first wins.
FsFailure Faults::Next(FsOp op) {
  const uint64_t call = ++calls_[op];
  if (clockMs) *clockMs += msPerCall;
  std::erase_if(rules_, [&](const Rule& r) { return r.op == op && !r.onward && r.at < call; });
  for (auto it = rules_.begin(); it != rules_.end(); ++it) {
    if (it->op != op || call < it->at || (!it->onward && call != it->at)) continue;
    const FsFailure outcome = it->outcome;
    if (!it->onward) rules_.erase(it);
    return outcome;
  }
  return FsFailure::None;
}

}  // namespace vantrel::fake
