// The state of a run that the window, the run driver and the stages share.
#pragma once
#include <cstdint>
#include <string>

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
  // Windows is ending the session: the run stops after the disk in work.
  bool SessionEnding = false;
  int16_t DiskStatus = kCompleted;
  double PausedMs = 0;
  int32_t WorkFileCount = 0;
  // Stage 2 wrote the whole template; copies of a template cut short would
  // turn the fill into countless tiny files.
  bool TemplateWhole = false;
  // Read once when a run starts.
  int CleaningMode = 1;  // 1 file records only, 2 also the free space
  int NtfsMode = 1;      // 1 to 3: how many name files
  // Second of the minute at the last progress tick; kept for the whole process.
  uint8_t LastTickSecond = 0;
};

// The facts of the disk in work, read when its work begins.
struct DiskFacts {
  std::wstring letter;
  std::wstring fileSystem;
  bool removable = false;
  uint64_t totalSize = 0;
  uint64_t availableSpace = 0;
  std::wstring volumeName;
  int64_t serial = 0;  // made positive
  std::wstring workFolder;
};

}  // namespace vantrel
