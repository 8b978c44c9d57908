#include "app/pages/RunPage.h"

#include <algorithm>
#include <utility>

#include "app/Wizard.h"
#include "lang/Language.h"

namespace vantrel {

RunPage::RunPage(const RunControls& controls, const Icons& icons, ChoicesModel& choices, Wizard& wizard,
                 FinishPage& finish)
    : RunControls(controls), icons_(icons), choices_(choices), wizard_(wizard), finish_(finish) {
  pause.onClick = [this] {
    paused_ = Ticked(pause);
    DrawTaskbar();
  };
  turnOff.onClick = [this] { turnOffWhenDone_ = Ticked(turnOff); };
  sound.onClick = [this] { choices_.Set(&Choices::playSound, Ticked(sound)); };
}

void RunPage::Draw() {
  for (int step = 0; step <= stepTitles.UBound(); ++step)
    stepTitles[step].SetCaption(LangText(L"VERSION3", L"STEP" + std::to_wstring(step + 1) + L"-TITLE"));
  sound.SetValue(choices_->playSound ? 1 : 0);
}

bool RunPage::StopRequested() { return wizard_.StopRequested(); }

bool RunPage::SessionEnding() { return wizard_.SessionEnding(); }

void RunPage::Show(RunText which, const std::wstring& text) {
  // The fill tells its free space after every line: the figure waits for
  // the window's turn, as the bar does (see ShowProgress). No figure (the
  // fill's end) goes at once.
  if (which == RunText::FreeBytes) {
    pendingFree_ = text;
    if (!text.empty()) return;
  }
  Control* const labels[] = {&stage, &stageInfo, &disks, &disk, &estimate, &freeBytes, &remark, &finish_.shutdownNote};
  labels[static_cast<int>(which)]->SetCaption(text);
}

void RunPage::Yield() {
  if (!pendingFree_.empty()) freeBytes.SetCaption(std::exchange(pendingFree_, {}));
  if (pendingBar_) {
    progress.SetMax(pendingBar_->max);
    progress.SetValue(pendingBar_->value);
    pendingBar_.reset();
  }
  DrawTaskbar();
  DoEvents();
}

void RunPage::ShowStep(int step, StepIcon icon) {
  Control* const pictures[] = {&icons_.pending, &icons_.current, &icons_.paused,
                               &icons_.ok,      &icons_.error,   &icons_.okGray};
  stepIcons[step].SetPicture(pictures[static_cast<int>(icon)]->picture());
}

// The run moves its bar after every line of the fill and every copy, and
// under Wine a themed bar draws itself at once for each new position, about
// a millisecond each: the last 47 MiB of a 64 MB fixed disk's fill (a
// thousand lines) took a second for it alone. The bar moves at the window's
// turns instead, every 40 ms at most.
void RunPage::ShowProgress(int64_t value, int64_t max) { pendingBar_ = Bar{value, max}; }

void RunPage::ShowRunProgress(int64_t done, int64_t total, bool diskFailed) {
  constexpr int64_t kSteps = 200;
  running_ = true;
  diskFailed_ = diskFailed;
  runDone_ = total > 0 ? std::clamp(done, int64_t{0}, total) * kSteps / total : 0;
}

void RunPage::DrawTaskbar() {
  if (!running_) return;
  const TaskbarState state = paused_ ? TaskbarState::Paused : diskFailed_ ? TaskbarState::Error : TaskbarState::Normal;
  const TaskbarProgress wanted{state, static_cast<uint64_t>(runDone_), 200};
  if (wanted == taskbarShown_) return;
  taskbarShown_ = wanted;
  Toolkit().ShowTaskbarProgress(Window(), wanted);
}

// Cleared once the run is over; a user who went on with other work learns
// of the end from the button.
void RunPage::EndTaskbar() {
  if (!std::exchange(running_, false)) return;
  taskbarShown_ = {};
  Toolkit().ShowTaskbarProgress(Window(), {});
  if (!Toolkit().InFront(Window())) Toolkit().FlashTaskbarButton(Window());
}

void RunPage::ShowStopButton(bool shown) { wizard_.buttons.stop.SetVisible(shown); }

void RunPage::ShowFinishPage() {
  EndTaskbar();
  wizard_.RunFinished();
}

}  // namespace vantrel
