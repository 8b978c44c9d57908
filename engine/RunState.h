// The state of a run: the disk status codes, the facts of the disk in work,
// and what the stages of one disk share.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "engine/RunPlan.h"
#include "engine/RunView.h"
#include "services/Breather.h"

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
  // The last pass of a method of several, read back from the disk, is not
  // what was written: the disk did not keep it.
  kVerifyFailed = 7,
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
};

class WorkArea;

// One run over the plan's disks, reporting through its view.
class Run {
 public:
  Run(RunPlan plan, RunView& view);
  ~Run();
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  const RunPlan plan;
  RunView& view;

  int16_t DiskStatus = kCompleted;
  double PausedMs = 0;
  int32_t WorkFileCount = 0;
  // The work files by the names the stages gave them: name files 0 to
  // NameFilesMade - 1, template copies 1 to CopiesMade.
  int32_t NameFilesMade = 0;
  int32_t CopiesMade = 0;
  // Stage 2 wrote the whole template; copies of a template cut short would
  // turn the fill into countless tiny files.
  bool TemplateWhole = false;
  // The line the template repeats: its copies are written from it rather
  // than read back from the template.
  std::string TemplateLine;
  // The disk's work folder, held from its making to its removal.
  std::unique_ptr<WorkArea> Work;
  // The folders whose deleted names the first step rewrote, those it could
  // not, and the seconds it took.
  int32_t FoldersRewritten = 0;
  int32_t FoldersSkipped = 0;
  int64_t FolderNamesSeconds = 0;
  // The stage last begun on the disk (0 to 3), -1 before the first.
  int StageInWork = -1;
  // The disk in work, from 0 in the plan's order.
  std::size_t DiskIndex = 0;

  bool StopRequested() const { return view.StopRequested(); }
  bool FreeSpaceMode() const { return plan.cleaning == CleaningMode::FreeSpace; }

  // The progress bar as the stages set it; they decide by what it shows.
  int64_t ProgressValue() const { return progressValue_; }
  int64_t ProgressMax() const { return progressMax_; }
  void SetProgress(int64_t value, int64_t max);
  void SetProgressValue(int64_t value) { SetProgress(value, progressMax_); }
  // Tells the view where the whole run stands: each disk of the plan counts
  // four equal steps, the stage in work as far as its bar has come. With
  // diskOver, the disk in work counts whole and its status is final.
  void ShowRunProgress(bool diskOver = false);

  // Lets the window answer now.
  void Yield();
  // Lets the window answer when it has waited long enough: called after
  // every file, line or block, so that Stop and Pause act within a fraction
  // of a second however long single steps take.
  void Breathe();
  // A fixed wait that lets the user see a state; the window answers through it.
  void Wait(uint32_t ms);

 private:
  int64_t progressValue_ = 0, progressMax_ = 1;
  bool diskFailed_ = false;
  Breather breather_;
};

}  // namespace vantrel
