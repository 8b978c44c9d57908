#include "app/pages/RunPage.h"

#include <utility>

#include "app/Wizard.h"
#include "lang/Language.h"

namespace vantrel {

RunPage::RunPage(const RunControls& controls, const Icons& icons, ChoicesModel& choices, Wizard& wizard,
                 FinishPage& finish)
    : RunControls(controls), icons_(icons), choices_(choices), wizard_(wizard), finish_(finish) {
  pause.onClick = [this] { paused_ = Ticked(pause); };
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
  // The fill tells its free space after every line, hundreds of times a
  // second, and a label draws itself at once when its text changes: the
  // figure waits for the window's turn, as drawing it each time held the
  // last lines of a fixed disk's fill to a tenth of the disk's speed under
  // Wine. No figure (the fill's end) goes at once.
  if (which == RunText::FreeBytes) {
    pendingFree_ = text;
    if (!text.empty()) return;
  }
  Control* const labels[] = {&stage, &stageInfo, &disks, &disk, &estimate, &freeBytes, &remark, &finish_.shutdownNote};
  labels[static_cast<int>(which)]->SetCaption(text);
}

void RunPage::Yield() {
  if (!pendingFree_.empty()) freeBytes.SetCaption(std::exchange(pendingFree_, {}));
  DoEvents();
}

void RunPage::ShowStep(int step, StepIcon icon) {
  Control* const pictures[] = {&icons_.pending, &icons_.current, &icons_.paused,
                               &icons_.ok,      &icons_.error,   &icons_.okGray};
  stepIcons[step].SetPicture(pictures[static_cast<int>(icon)]->picture());
}

void RunPage::ShowProgress(int64_t value, int64_t max) {
  progress.SetMax(max);
  progress.SetValue(value);
}

void RunPage::ShowStopButton(bool shown) { wizard_.buttons.stop.SetVisible(shown); }

void RunPage::ShowFinishPage() { wizard_.RunFinished(); }

}  // namespace vantrel
