// The state of a run that the window, the run driver and the stages share.
#pragma once
#include <cstdint>

namespace vantrel {

// Outcome of one disk; logged and shown as the text "WORK-STATUS-" + code.
enum DiskStatusCode : int16_t {
  kStopped = 0,
  kCompleted = 1,
  kPreparationFailed = 2,
  kFillFailed = 3,
  kNameFilesFailed = 4,
  kTemplateFailed = 5,
  kRemovalFailed = 6,
};

struct RunState {
  bool StopRequested = false;
  int16_t DiskStatus = kCompleted;
  double PausedMs = 0;
  int32_t WorkFileCount = 0;
};

}  // namespace vantrel
