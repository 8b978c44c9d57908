#include "engine/StageRunner.h"

#include <cmath>

#include "app/Settings.h"
#include "app/StartForm.h"
#include "engine/FillPatterns.h"
#include "engine/NameFiles.h"
#include "engine/WorkFileRemoval.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/NumericText.h"
#include "services/Quietly.h"

namespace vantrel {

namespace {
constexpr DiskStatusCode kStageFailure[] = {kNameFilesFailed, kTemplateFailed, kFillFailed, kRemovalFailed};
// An estimate further away than this is no estimate at all.
constexpr double kLongestEstimateSeconds = 100.0 * 365 * 86400;
}  // namespace

std::optional<uint64_t> FreeBytes(const std::wstring& letter) {
  return Quietly(std::optional<uint64_t>(), [&] { return Os().drives->AvailableSpace(letter + L":"); });
}

void SetStepImage(StartForm& form, int i, const wchar_t* icon) {
  form(L"StepImage", i).SetPicture(form(icon).picture());
  DoEvents();
}

bool SecondTick(RunState& run, int interval) {
  const int s = static_cast<int>(((Os().clock->NowSeconds() % 60) + 60) % 60);
  if (s > run.LastTickSecond + interval || s < run.LastTickSecond - interval) {
    run.LastTickSecond = static_cast<uint8_t>(s);
    return true;
  }
  return false;
}

void WaitWhilePaused(StartForm& form, int stage) {
  Control& pause = form(L"Check2");
  if (!Ticked(pause) || form.run.StopRequested) return;
  SetStepImage(form, stage, L"IconPAUSE");
  while (Ticked(pause) && !form.run.StopRequested) {
    Os().clock->Sleep(200);
    form.run.PausedMs += 200;
    DoEvents();
  }
  SetStepImage(form, stage, L"IconCURR");
}

void RunStage(StartForm& form, int stage, const DiskFacts& disk) {
  const std::wstring step = L"STEP" + std::to_wstring(stage + 1);
  form(L"status").SetCaption(LangText(L"VERSION3", step + L"-TITLE"));
  form(L"Label10").SetCaption(LangText(L"VERSION3", step + L"-INFO"));
  Control& bar = form(L"ProgressBar1");
  bar.SetMax(3);
  bar.SetValue(0);
  DoEvents();
  SetStepImage(form, stage, L"IconCURR");
  RunState& run = form.run;
  if (stage == 3 || (run.DiskStatus == kCompleted && !run.StopRequested)) {
    try {
      switch (stage) {
        case 0: WriteNameFiles(form, stage, disk); break;
        case 1: MakeTemplateFile(form, stage, disk.removable); break;
        case 2: FillFreeSpace(form, stage, disk); break;
        default: RemoveWorkFiles(form, stage, disk.workFolder); break;
      }
    } catch (...) {
      // An unforeseen fault is the stage's failure: the disk is reported as
      // failed, stage 4 still removes the work files, and the run goes on.
      run.DiskStatus = kStageFailure[stage];
    }
    bar.SetMax(3);
    bar.SetValue(3);
    DoEvents();
  }
  form(L"Label44").SetCaption(L"");
  const bool good = !run.StopRequested && run.DiskStatus == kCompleted;
  SetStepImage(form, stage, good || stage == 3 ? L"IconOK" : L"IconERROR");
}

std::wstring ThroughputKey(int64_t serial, int cleaningMode, int ntfsMode) {
  return L"Disk" + std::to_wstring(serial) + L"-cleanway" + std::to_wstring(cleaningMode) + L"-ntfs" +
         std::to_wstring(ntfsMode);
}

void ShowEstimate(StartForm& form, const DiskFacts& disk) {
  const std::wstring figure =
      ReadSetting(kProgramSettings, L"Statistics", ThroughputKey(disk.serial, form.run.CleaningMode, form.run.NtfsMode));
  const auto perSecond = ParseNumber(figure);
  std::wstring estimate;
  if (perSecond && *perSecond > 0) {
    const double seconds = std::floor(static_cast<double>(disk.availableSpace) / *perSecond);
    if (seconds <= kLongestEstimateSeconds) {
      const auto when = Os().clock->FormatDateTime(Os().clock->NowSeconds() + static_cast<int64_t>(seconds));
      if (when) estimate = LangText(L"VERSION3", L"ESTIMATED") + L" " + *when;
    }
  }
  form(L"Label14").SetCaption(estimate);
}

void StoreThroughput(const StartForm& form, const DiskFacts& disk, int64_t elapsedSeconds) {
  const auto free = FreeBytes(disk.letter);
  if (elapsedSeconds < 1 || !free) return;
  WriteSetting(kProgramSettings, L"Statistics", ThroughputKey(disk.serial, form.run.CleaningMode, form.run.NtfsMode),
               std::to_wstring(*free / static_cast<uint64_t>(elapsedSeconds)));
}

}  // namespace vantrel
