// What a stage's worker has of the run: the plan, the disk, the view it
// reports through, Stop and Pause, the held work folder and the counts of
// the work files the stages made. The stage runner hands one to each worker
// it starts; a worker knows nothing else of the run.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "engine/RunState.h"

namespace vantrel {

class StageContext {
 public:
  StageContext(Run& run, int index, const DiskFacts& disk)
      : index(index),
        plan(run.plan),
        view(run.view),
        disk(disk),
        WorkFileCount(run.WorkFileCount),
        NameFilesMade(run.NameFilesMade),
        CopiesMade(run.CopiesMade),
        TemplateWhole(run.TemplateWhole),
        TemplateLine(run.TemplateLine),
        FoldersRewritten(run.FoldersRewritten),
        FoldersSkipped(run.FoldersSkipped),
        FolderNamesSeconds(run.FolderNamesSeconds),
        run_(run) {}
  StageContext(const StageContext&) = delete;
  StageContext& operator=(const StageContext&) = delete;

  const int index;  // 0 to 3
  const RunPlan& plan;
  RunView& view;
  const DiskFacts& disk;
  // The run's counts (see Run), which stage 4 removes the files by.
  int32_t& WorkFileCount;
  int32_t& NameFilesMade;
  int32_t& CopiesMade;
  bool& TemplateWhole;
  std::string& TemplateLine;
  int32_t& FoldersRewritten;
  int32_t& FoldersSkipped;
  int64_t& FolderNamesSeconds;

  // The disk's held work folder; nothing when none was made.
  WorkArea* Work() const { return run_.Work.get(); }
  // Lets the work folder's holds go, once stage 4 removed what it could.
  void ReleaseWork();

  bool StopRequested() const { return run_.StopRequested(); }
  // Between two pieces of work: the window's turn when it is due (Breathe),
  // then the work held while Pause is ticked and Stop is not pressed, with
  // the stage's step image showing it.
  void TakeTurn();
  // The disk fails with this stage's status, or with the code given.
  void Fail();
  void Fail(DiskStatusCode code);
  // Shows the stage's state icon and lets the window show it.
  void ShowStep(StepIcon icon);

  // The progress bar as the stages set it; they decide by what it shows.
  int64_t ProgressValue() const { return run_.ProgressValue(); }
  int64_t ProgressMax() const { return run_.ProgressMax(); }
  void SetProgress(int64_t value, int64_t max) { run_.SetProgress(value, max); }
  void SetProgressValue(int64_t value) { run_.SetProgressValue(value); }

  // See Run: the window's turn now, when it is due, and a fixed wait.
  void Yield() { run_.Yield(); }
  void Breathe() { run_.Breathe(); }
  void Wait(uint32_t ms) { run_.Wait(ms); }

 private:
  Run& run_;
};

// Bytes the user may still use on a drive; nothing when the question fails,
// which a stage must not take for a full disk.
std::optional<uint64_t> FreeBytes(const std::wstring& letter);
// The status of a disk whose stage (0 to 3) failed; preparation before any.
DiskStatusCode StageFailure(int stage);
// True at most about once per interval + 1 seconds.
bool SecondTick(int interval);

}  // namespace vantrel
