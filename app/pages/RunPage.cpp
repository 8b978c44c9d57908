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
    taskbar_.Draw(Window(), paused_);
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
  taskbar_.Draw(Window(), paused_);
  DoEvents();
}

void RunPage::ShowStep(int step, StepIcon icon) {
  Control* const pictures[] = {&icons_.pending, &icons_.current, &icons_.paused,
                               &icons_.ok,      &icons_.error,   &icons_.okGray};
  stepIcons[step].SetPicture(pictures[static_cast<int>(icon)]->picture());
  // A screen reader cannot see the picture: the step's name says it.
  const wchar_t* const states[] = {L"STEP-WAITING", L"STEP-WORKING", L"STEP-PAUSED",
                                   L"STEP-DONE",    L"STEP-FAILED",  L"STEP-SKIPPED"};
  stepIcons[step].SetAccessibleName(LangText(L"VERSION3", L"STEP" + std::to_wstring(step + 1) + L"-TITLE") + L", " +
                                    LangText(L"VERSION3", states[static_cast<int>(icon)]));
}

// The run moves its bar after every line of the fill and every copy, and
// under Wine a themed bar draws itself at once for each new position, about
// a millisecond each: the last 47 MiB of a 64 MB fixed disk's fill (a
// thousand lines) took a second for it alone. The bar moves at the window's
// turns instead, every 40 ms at most.
void RunPage::ShowProgress(int64_t value, int64_t max) { pendingBar_ = Bar{value, max}; }

void RunPage::ShowRunProgress(int64_t done, int64_t total, bool diskFailed) {
  taskbar_.Tell(done, total, diskFailed);
}

// A user who went on with other work learns of the end from the button.
void RunPage::EndTaskbar() {
  if (taskbar_.End(Window()) && !Toolkit().InFront(Window())) Toolkit().FlashTaskbarButton(Window());
}

void RunPage::ShowStopButton(bool shown) { wizard_.buttons.stop.SetVisible(shown); }

void RunPage::ShowFinishPage() {
  EndTaskbar();
  wizard_.RunFinished();
}

}  // namespace vantrel
