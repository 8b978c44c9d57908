#include "engine/StageRunner.h"

#include "engine/FillPatterns.h"
#include "engine/NameFiles.h"
#include "engine/WorkFileRemoval.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/Quietly.h"

namespace vantrel {

namespace {
constexpr DiskStatusCode kStageFailure[] = {kNameFilesFailed, kTemplateFailed, kFillFailed, kRemovalFailed};
constexpr uint32_t kPauseStepMs = 200;

// Second of the minute at the last progress tick; kept for the whole process.
uint8_t g_lastTickSecond = 0;
}  // namespace

std::optional<uint64_t> FreeBytes(const std::wstring& letter) {
  return Quietly(std::optional<uint64_t>(), [&] { return Os().drives->AvailableSpace(letter + L":"); });
}

void SetStepImage(Run& run, int stage, StepIcon icon) {
  run.view.ShowStep(stage, icon);
  run.Yield();
}

bool SecondTick(int interval) {
  const int s = static_cast<int>(((Os().clock->NowSeconds() % 60) + 60) % 60);
  if (s > g_lastTickSecond + interval || s < g_lastTickSecond - interval) {
    g_lastTickSecond = static_cast<uint8_t>(s);
    return true;
  }
  return false;
}

void WaitWhilePaused(Run& run, int stage) {
  if (!run.view.Paused() || run.StopRequested()) return;
  SetStepImage(run, stage, StepIcon::Paused);
  while (run.view.Paused() && !run.StopRequested()) {
    run.Wait(kPauseStepMs);
    run.PausedMs += kPauseStepMs;
  }
  SetStepImage(run, stage, StepIcon::Current);
}

DiskStatusCode StageFailure(int stage) { return stage < 0 || stage > 3 ? kPreparationFailed : kStageFailure[stage]; }

void RunStage(Run& run, int stage, const DiskFacts& disk) {
  run.StageInWork = stage;
  const std::wstring step = L"STEP" + std::to_wstring(stage + 1);
  run.view.Show(RunText::Stage, LangText(L"VERSION3", step + L"-TITLE"));
  run.view.Show(RunText::StageInfo, LangText(L"VERSION3", step + L"-INFO"));
  run.SetProgress(0, 3);
  run.Yield();
  SetStepImage(run, stage, StepIcon::Current);
  if (stage == 3 || (run.DiskStatus == kCompleted && !run.StopRequested())) {
    try {
      switch (stage) {
        case 0: WriteNameFiles(run, stage, disk); break;
        case 1: MakeTemplateFile(run, stage, disk.removable); break;
        case 2: FillFreeSpace(run, stage, disk); break;
        default: RemoveWorkFiles(run, stage); break;
      }
    } catch (...) {
      // An unforeseen fault is the stage's failure: the disk is reported as
      // failed, stage 4 still removes the work files, and the run goes on.
      run.DiskStatus = StageFailure(stage);
    }
    run.SetProgress(3, 3);
    run.Yield();
  }
  run.view.Show(RunText::Remark, L"");
  const bool good = !run.StopRequested() && run.DiskStatus == kCompleted;
  SetStepImage(run, stage, good || stage == 3 ? StepIcon::Ok : StepIcon::Error);
}

}  // namespace vantrel
