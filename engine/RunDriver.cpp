#include "engine/RunDriver.h"

#include <cstdlib>
#include <optional>

#include "disks/WorkFiles.h"
#include "engine/Estimate.h"
#include "engine/Passes.h"
#include "engine/StageContext.h"
#include "engine/StageRunner.h"
#include "engine/WorkArea.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "runlog/RunLog.h"
#include "services/Checkpoint.h"
#include "services/FolderRemoval.h"
#include "services/IgnoringFailures.h"
#include "services/Paths.h"
#include "system/RecycleBin.h"
#include "system/StandbyGuard.h"

namespace vantrel {

namespace {

constexpr uint32_t kBetweenDisksMs = 1000, kAfterStageMs = 300, kAfterReportMs = 2000;

void SetAllStepImages(Run& run, StepIcon icon) {
  for (int i = 0; i < 4; ++i) run.view.ShowStep(i, icon);
}

// Makes and holds the work folder (see WorkArea) and proves that it takes a
// file; the write test's file is made new, never through a name that is
// there already.
std::unique_ptr<WorkArea> PrepareWorkFolder(const DiskFacts& disk) {
  std::unique_ptr<WorkArea> work = WorkArea::Make(WorkFolderOf(disk.letter));
  if (!work) return nullptr;
  FileSystem& fs = *Os().files;
  const std::wstring test = work->Folder() + L"\\" + kWriteTestFile;
  std::unique_ptr<OutputFile> file = fs.CreateNew(test);
  const bool written = file && file->Write("test\r\n");
  if (!file || !file->Close() || !written || !fs.RemoveFile(test)) return nullptr;
  return work;
}

// Stages 1 to 3; stage 4 follows in every case (ClearWorkFolder).
void RunStages(Run& run, const DiskFacts& disk) {
  auto pauseUnlessStopped = [&] {
    if (!run.StopRequested()) run.Wait(kAfterStageMs);
  };
  SetCheckpoint(L"CLEANINGSUB1");
  RunStage(run, 0, disk);
  pauseUnlessStopped();
  for (int stage : {1, 2}) {
    SetCheckpoint(stage == 1 ? L"CLEANINGSUB2" : L"CLEANINGSUB3");
    if (run.FreeSpaceMode())
      RunStage(run, stage, disk);
    else
      run.view.ShowStep(stage, StepIcon::NotInMode);
    pauseUnlessStopped();
  }
}

// Stage 4, then once more whatever it left of the folder.
void ClearWorkFolder(Run& run, const DiskFacts& disk) {
  SetCheckpoint(L"CLEANINGSUB4");
  RunStage(run, 3, disk);
  run.Work.reset();
  const std::wstring folder = WorkFolderOf(disk.letter);
  if (WorkFolderPresent(folder)) {
    run.Yield();
    DeleteFolderTree(folder, [&] { run.Breathe(); });
  }
  SetCheckpoint(L"");
}

// Everything from looking up the drive to the write test; false sends the
// disk down the failure path.
bool PrepareDisk(Run& run, std::size_t index, DiskFacts& disk) {
  SetCheckpoint(L"BEFORECLEANUP1");
  if (index >= run.plan.letters.size()) return false;
  disk.letter = run.plan.letters[index];
  const auto facts = ReadDiskFacts(disk.letter);
  if (!facts) return false;
  disk = *facts;
  SetCheckpoint(L"");
  run.view.Show(RunText::Estimate, EstimateText(run.plan, disk));
  run.view.Show(RunText::Disk, disk.letter);
  SetAllStepImages(run, StepIcon::Pending);
  if (index > 0) run.Wait(kBetweenDisksMs);
  run.Yield();
  run.Work = PrepareWorkFolder(disk);
  return run.Work != nullptr;
}

void CloseDisk(Run& run, const DiskFacts& disk, int64_t start, int row) {
  if (run.StopRequested()) run.DiskStatus = kStopped;
  run.ShowRunProgress(true);
  const int64_t now = Os().clock->NowSeconds();
  const int64_t elapsed = now - start - static_cast<int64_t>(run.PausedMs / 1000);
  LogRecord record;
  record.status = run.DiskStatus;
  record.start = Os().clock->FormatDateTime(start).value_or(L"");
  record.end = Os().clock->FormatDateTime(now).value_or(L"");
  record.elapsedSeconds = elapsed;
  record.letter = disk.letter;
  record.volumeName = disk.volumeName;
  record.fileSystem = disk.fileSystem;
  record.serial = disk.serial;
  record.cleaningMode = static_cast<int>(run.plan.cleaning);
  record.ntfsMode = static_cast<int>(run.plan.ntfs);
  // A fault in the log's code loses the record like a failed write.
  const Logged logged = IgnoringFailures(Logged::Lost, [&] { return PrependLogLine(FormatLogRecord(record)); });
  if (run.DiskStatus == kCompleted) StoreThroughput(run.plan, disk, elapsed - run.FolderNamesSeconds);
  if (run.DiskStatus == kCompleted && run.plan.rewriteFolderNames) StoreFolderNamesSeconds(disk, run.FolderNamesSeconds);
  // The row is the user's one account of a disk whose record is lost.
  std::wstring info = LangText(L"VERSION3", L"WORK-STATUS-" + std::to_wstring(run.DiskStatus));
  // A method of several passes says what it did: the passes run only with the fill.
  const std::size_t passes = PassesOf(run.plan.method).size();
  if (run.DiskStatus == kCompleted && run.FreeSpaceMode() && passes > 0)
    info += L" - " + LangText(L"VERSION3", L"PASSES-DONE") + L" " + std::to_wstring(passes);
  if (run.plan.rewriteFolderNames && run.FoldersRewritten + run.FoldersSkipped > 0)
    info += L" - " + LangText(L"VERSION3", L"FOLDERS-REWRITTEN") + L" " + std::to_wstring(run.FoldersRewritten) + L", " +
            LangText(L"VERSION3", L"FOLDERS-SKIPPED") + L" " + std::to_wstring(run.FoldersSkipped);
  if (logged == Logged::Lost) info += L" - " + LangText(L"VERSION3", L"LOG-NOT-WRITTEN");
  // A row that cannot be shown keeps neither the checkpoint nor the next
  // disk waiting.
  IgnoringFailures([&] { run.view.AddReportRow(row, disk.letter + L":", info, run.DiskStatus == kCompleted); });
  SetCheckpoint(L"");
  if (run.view.SessionEnding()) return;
  run.Wait(kAfterReportMs);
  run.Yield();
}

// Each step on its own, so that a fault in one never keeps the window on
// the run page, where a close is refused.
void EndOfRun(Run& run) {
  RunView& view = run.view;
  if (!view.SessionEnding()) {
    IgnoringFailures([&] {
      if (view.SoundWhenDone()) view.PlayCompletionSound(!run.StopRequested());
    });
  }
  IgnoringFailures([&] {
    if (view.ShutdownWhenDone() && !run.StopRequested()) {
      view.Show(RunText::Shutdown, LangText(L"INTERFACE", L"INITIATINGSHUTDOWN"));
      view.StartShutdownCountdown();
    } else {
      view.Show(RunText::Shutdown, L"");
    }
  });
  IgnoringFailures([&] { view.ShowFinishPage(); });
}

}  // namespace

std::optional<DiskFacts> ReadDiskFacts(const std::wstring& letter) {
  return IgnoringFailures(std::optional<DiskFacts>(), [&]() -> std::optional<DiskFacts> {
    Drives& drives = *Os().drives;
    for (const std::wstring& l : drives.Letters()) {
      if (l != letter) continue;
      const auto volume = drives.Volume(l);
      const auto total = drives.TotalSize(l);
      const auto available = drives.AvailableSpace(l + L":");
      if (!volume || !total || !available) return std::nullopt;
      DiskFacts d;
      d.letter = l;
      d.fileSystem = volume->FileSystem;
      d.removable = drives.DriveType(l) == drivetype::Removable;
      d.totalSize = *total;
      d.availableSpace = *available;
      d.volumeName = volume->VolumeName;
      d.serial = std::llabs(static_cast<long long>(volume->SerialNumber));
      return d;
    }
    return std::nullopt;
  });
}

void StartRun(Run& run) {
  RunView& view = run.view;
  // From the first step to the finish page, whatever happens between.
  std::optional<StandbyPrevention> awake;
  if (run.plan.preventStandby) IgnoringFailures([&] { awake.emplace(view.Window()); });
  IgnoringFailures([&] {
    run.SetProgress(0, 1);
    run.ShowRunProgress();  // the button shows the run from its start, the bin's emptying too
    run.Yield();
    if (run.plan.emptyRecycleBin) {
      view.Show(RunText::Stage, LangText(L"INTERFACE", L"EMPTYBIN"));
      view.Show(RunText::StageInfo, L"");
      run.Yield();
      EmptyRecycleBin();
      run.Yield();
    }
    std::wstring letters;
    for (const std::wstring& letter : run.plan.letters) letters += letter;
    view.Show(RunText::Disks, LangText(L"INTERFACE", L"LABEL9") + L" " + letters);
    view.ShowStopButton(true);
    run.Yield();
    RunAllDisks(run);
  });
  // Whatever went wrong, the run ends on the finish page: the run page
  // refuses to close.
  IgnoringFailures([&] { view.ShowFinishPage(); });
  IgnoringFailures([&] { view.ShowStopButton(false); });
}

void RunAllDisks(Run& run) {
  SetCheckpoint(L"REPORTCONTROLS1");
  IgnoringFailures([&] { run.view.ClearReport(); });
  SetCheckpoint(L"");
  const std::size_t disks = run.plan.letters.size();
  for (std::size_t i = 0; i < disks && !run.view.SessionEnding(); ++i) {
    run.DiskStatus = kCompleted;
    run.DiskIndex = i;
    run.StageInWork = -1;
    const int64_t start = Os().clock->NowSeconds();
    run.PausedMs = 0;
    DiskFacts disk;
    if (IgnoringFailures(false, [&] { return PrepareDisk(run, i, disk); })) {
      run.WorkFileCount = 0;
      run.NameFilesMade = run.CopiesMade = 0;
      run.FoldersRewritten = run.FoldersSkipped = 0;
      run.FolderNamesSeconds = 0;
      // The stages contain their own faults; this catches one between them,
      // which fails the disk as its stage would. Stage 4 runs either way.
      if (!IgnoringFailures(false, [&] {
            RunStages(run, disk);
            return true;
          }) &&
          run.DiskStatus == kCompleted)
        run.DiskStatus = StageFailure(run.StageInWork);
      if (!IgnoringFailures(false, [&] {
            ClearWorkFolder(run, disk);
            return true;
          }))
        run.DiskStatus = kRemovalFailed;
      // Whatever the stages left in the data folder goes with the disk; a
      // template that stays is work the disk failed to remove.
      if (!RemoveTemplateFile() && run.FreeSpaceMode() && run.DiskStatus == kCompleted)
        run.DiskStatus = kRemovalFailed;
    } else {
      run.Work.reset();
      IgnoringFailures([&] { SetAllStepImages(run, StepIcon::Error); });
      run.DiskStatus = kPreparationFailed;
    }
    IgnoringFailures([&] { CloseDisk(run, disk, start, static_cast<int>(i)); });
  }
  EndOfRun(run);
}

}  // namespace vantrel
