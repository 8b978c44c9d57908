#include "engine/StageContext.h"

#include "engine/WorkArea.h"
#include "platform/Platform.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

namespace {
constexpr DiskStatusCode kStageFailure[] = {kNameFilesFailed, kTemplateFailed, kFillFailed, kRemovalFailed};
constexpr uint32_t kPauseStepMs = 200;

// Second of the minute at the last progress tick; kept for the whole process.
uint8_t g_lastTickSecond = 0;
}  // namespace

void StageContext::ShowStep(StepIcon icon) {
  view.ShowStep(index, icon);
  Yield();
}

void StageContext::TakeTurn() {
  Breathe();
  if (!view.Paused() || StopRequested()) return;
  ShowStep(StepIcon::Paused);
  while (view.Paused() && !StopRequested()) {
    Wait(kPauseStepMs);
    run_.PausedMs += kPauseStepMs;
  }
  ShowStep(StepIcon::Current);
}

void StageContext::ReleaseWork() { run_.Work.reset(); }

void StageContext::Fail() { run_.DiskStatus = StageFailure(index); }

void StageContext::Fail(DiskStatusCode code) { run_.DiskStatus = code; }

std::optional<uint64_t> FreeBytes(const std::wstring& letter) {
  return IgnoringFailures(std::optional<uint64_t>(), [&] { return Os().drives->AvailableSpace(letter + L":"); });
}

DiskStatusCode StageFailure(int stage) { return stage < 0 || stage > 3 ? kPreparationFailed : kStageFailure[stage]; }

bool SecondTick(int interval) {
  const int s = static_cast<int>(((Os().clock->NowSeconds() % 60) + 60) % 60);
  if (s > g_lastTickSecond + interval || s < g_lastTickSecond - interval) {
    g_lastTickSecond = static_cast<uint8_t>(s);
    return true;
  }
  return false;
}

}  // namespace vantrel
