#include "engine/RunDriver.h"

#include <cstdlib>

#include "app/Settings.h"
#include "app/StartForm.h"
#include "disks/DiskSelection.h"
#include "disks/WorkFolder.h"
#include "engine/StageRunner.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "runlog/RunLog.h"
#include "services/Checkpoint.h"
#include "services/Paths.h"
#include "services/Quietly.h"
#include "system/SystemActions.h"

namespace vantrel {

namespace {

constexpr int kMaxReportRow = 20;
constexpr uint32_t kBetweenDisksMs = 1000, kAfterStageMs = 300, kAfterReportMs = 2000;
constexpr int kRowGapTwips = 150;
const wchar_t* const kReportArrays[] = {L"ReportImage", L"ReportDisk", L"ReportInfo"};

std::wstring Setting(const wchar_t* section, const wchar_t* key) {
  return ReadSetting(kProgramSettings, section, key);
}

void SetAllStepImages(StartForm& form, const wchar_t* icon) {
  for (int i = 0; i < 4; ++i) form(L"StepImage", i).SetPicture(form(icon).picture());
}

// Creates the work folder when missing and proves it takes a file. A work
// folder that is a link would send the fill to whatever it points to: the
// link goes, and the disk is not run.
bool PrepareWorkFolder(const std::wstring& folder) {
  FileSystem& fs = *Os().files;
  if (fs.IsLink(folder)) {
    fs.RemoveLink(folder);
    return false;
  }
  if (!FolderExists(folder) && !fs.CreateFolder(folder)) return false;
  const std::wstring test = folder + L"\\test.txt";
  return fs.WriteAll(test, "test\r\n") && fs.RemoveFile(test);
}

// Element n of a report array: row 0 in its design place, later rows below
// the previous one.
Control* ReportElement(StartForm& form, const wchar_t* array, int n) {
  if (n == 0) return &form(array, 0);
  Control* c = form.ui.Find(array, n);
  if (!c) c = form.ui.Load(array, n);
  if (!c) return nullptr;
  const Twips first = form(array, 0).Position(), above = form(array, n - 1).Position();
  c->Move({first.left, above.top + above.height + kRowGapTwips, first.width, first.height});
  return c;
}

void AddReportRow(StartForm& form, int row, const std::wstring& letter) {
  const int16_t status = form.run.DiskStatus;
  SetCheckpoint(L"ADDREPORT1");
  Quietly([&] {
    Control* image = ReportElement(form, L"ReportImage", row);
    image->SetPicture(form(status == kCompleted ? L"IconOK" : L"IconERROR").picture());
    image->SetVisible(true);
  });
  SetCheckpoint(L"ADDREPORT2");
  Quietly([&] {
    Control* disk = ReportElement(form, L"ReportDisk", row);
    disk->SetCaption(letter + L":");
    disk->SetVisible(true);
  });
  SetCheckpoint(L"ADDREPORT3");
  Quietly([&] {
    Control* info = ReportElement(form, L"ReportInfo", row);
    info->SetFontCharset(Lang().LanguageCharset);
    info->SetCaption(LangText(L"VERSION3", L"WORK-STATUS-" + std::to_wstring(status)));
    info->SetVisible(true);
  });
  SetCheckpoint(L"");
}

void RunStages(StartForm& form, const DiskFacts& disk) {
  RunState& run = form.run;
  auto pauseUnlessStopped = [&] {
    if (!run.StopRequested) Os().clock->Sleep(kAfterStageMs);
  };
  SetCheckpoint(L"CLEANINGSUB1");
  RunStage(form, 0, disk);
  pauseUnlessStopped();
  for (int stage : {1, 2}) {
    SetCheckpoint(stage == 1 ? L"CLEANINGSUB2" : L"CLEANINGSUB3");
    if (run.CleaningMode == 2)
      RunStage(form, stage, disk);
    else
      form(L"StepImage", stage).SetPicture(form(L"IconOKgray").picture());
    pauseUnlessStopped();
  }
  SetCheckpoint(L"CLEANINGSUB4");
  RunStage(form, 3, disk);
  if (WorkFolderPresent(disk.workFolder)) {
    DoEvents();
    DeleteFolderTree(disk.workFolder);
  }
  SetCheckpoint(L"");
}

// Everything from looking up the drive to the write test; false sends the
// disk down the failure path.
bool PrepareDisk(StartForm& form, int index, bool first, DiskFacts& disk) {
  SetCheckpoint(L"BEFORECLEANUP1");
  const std::wstring letters = SelectedDiskLetters(form);
  if (index >= static_cast<int>(letters.size())) return false;
  disk.letter = letters.substr(static_cast<std::size_t>(index), 1);
  const auto facts = ReadDiskFacts(disk.letter);
  if (!facts) return false;
  disk = *facts;
  SetCheckpoint(L"");
  ShowEstimate(form, disk);
  form(L"Label13").SetCaption(disk.letter);
  SetAllStepImages(form, L"IconPEND");
  if (!first) Os().clock->Sleep(kBetweenDisksMs);
  DoEvents();
  disk.workFolder = WorkFolderOf(disk.letter);
  return PrepareWorkFolder(disk.workFolder);
}

void CloseDisk(StartForm& form, const DiskFacts& disk, int64_t start, int row) {
  RunState& run = form.run;
  if (run.StopRequested) run.DiskStatus = kStopped;
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
  record.cleaningMode = run.CleaningMode;
  record.ntfsMode = run.NtfsMode;
  PrependLogLine(FormatLogRecord(record));
  if (elapsed >= 1 && run.DiskStatus == kCompleted) StoreThroughput(form, disk, elapsed);
  AddReportRow(form, row, disk.letter);
  if (run.SessionEnding) return;
  Os().clock->Sleep(kAfterReportMs);
  DoEvents();
}

// Each step on its own, so that a fault in one never keeps the window on
// the run page, where a close is refused.
void EndOfRun(StartForm& form) {
  RunState& run = form.run;
  if (!run.SessionEnding) {
    Quietly([&] {
      if (!Setting(L"Settings", L"PlaySound").empty()) return;
      PlayCompletionSound();
      if (!run.StopRequested) form.timer(L"PlayWAV").SetEnabled(true);
    });
  }
  Quietly([&] {
    if (Ticked(form(L"Check1")) && !run.StopRequested) {
      form(L"Label21").SetCaption(LangText(L"INTERFACE", L"INITIATINGSHUTDOWN"));
      form.timer(L"turnoff").SetEnabled(true);
    } else {
      form(L"Label21").SetCaption(L"");
    }
  });
  Quietly([&] {
    if (Setting(L"Settings", L"PreventStandBy").empty()) UnhookStandbyGuard();
  });
  Quietly([&] { form.ShowPage(7); });
}


}  // namespace

std::optional<DiskFacts> ReadDiskFacts(const std::wstring& letter) {
  return Quietly(std::optional<DiskFacts>(), [&]() -> std::optional<DiskFacts> {
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

void WorkNowTick(StartForm& form) {
  form.timer(L"worknow").SetEnabled(false);
  Control& bar = form(L"ProgressBar1");
  bar.SetMax(1);
  bar.SetValue(0);
  DoEvents();
  if (Ticked(form(L"Check4"))) {
    form(L"status").SetCaption(LangText(L"INTERFACE", L"EMPTYBIN"));
    form(L"Label10").SetCaption(L"");
    DoEvents();
    EmptyRecycleBin();
    DoEvents();
  }
  form(L"Label9").SetCaption(LangText(L"INTERFACE", L"LABEL9") + L" " + SelectedDiskLetters(form));
  form(L"Command4").SetVisible(true);
  DoEvents();
  Quietly([&] { RunAllDisks(form); });
  // Whatever went wrong, the run ends on the finish page: the run page
  // refuses to close.
  if (form.CurrentPage != 7) Quietly([&] { form.ShowPage(7); });
  form(L"Command4").SetVisible(false);
}

void RunAllDisks(StartForm& form) {
  RunState& run = form.run;
  if (Setting(L"Settings", L"PreventStandBy").empty()) HookStandbyGuard(form);
  SetCheckpoint(L"REPORTCONTROLS1");
  for (int i = 1; i <= kMaxReportRow; ++i)
    for (const wchar_t* array : kReportArrays) form.ui.Unload(array, i);
  for (const wchar_t* array : kReportArrays) form(array, 0).SetVisible(false);
  SetCheckpoint(L"");
  const std::wstring ntfs = Setting(L"NTFSMODE", L"VALUE");
  run.NtfsMode = ntfs == L"2" ? 2 : ntfs == L"3" ? 3 : 1;
  run.CleaningMode = Setting(L"SecurityWay", L"Value") == L"7" ? 2 : 1;
  const int disks = static_cast<int>(SelectedDiskLetters(form).size());
  for (int i = 0; i < disks && !run.SessionEnding; ++i) {
    run.DiskStatus = kCompleted;
    const int64_t start = Os().clock->NowSeconds();
    run.PausedMs = 0;
    DiskFacts disk;
    if (Quietly(false, [&] { return PrepareDisk(form, i, i == 0, disk); })) {
      run.WorkFileCount = 0;
      // The stages contain their own faults; this catches one between them.
      Quietly([&] { RunStages(form, disk); });
      // Whatever the stages left in the data folder goes with the disk.
      RemoveTemplateFile();
    } else {
      Quietly([&] { SetAllStepImages(form, L"IconERROR"); });
      run.DiskStatus = kPreparationFailed;
    }
    Quietly([&] { CloseDisk(form, disk, start, i); });
  }
  EndOfRun(form);
}

}  // namespace vantrel
