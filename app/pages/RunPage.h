// Page 6, the run: what the run shows goes into this page's controls (and
// the finish page's), what it asks comes from Stop, the Pause box, the
// boxes for the end of the run, and the user's choices.
#pragma once
#include <optional>

#include "app/ChoicesModel.h"
#include "app/ControlArray.h"
#include "app/TaskbarButton.h"
#include "app/pages/FinishPage.h"
#include "app/pages/Icons.h"
#include "engine/RunView.h"

namespace vantrel {

class Wizard;

struct RunControls {
  Control &stage, &stageInfo, &disks, &disk, &estimate;
  // One element per stage: its state icon and its title.
  ControlArray stepIcons, stepTitles;
  Control &progress, &freeBytes, &remark, &pause, &turnOff, &sound;
};

class RunPage : public RunControls, public RunView {
 public:
  RunPage(const RunControls& controls, const Icons& icons, ChoicesModel& choices, Wizard& wizard,
          FinishPage& finish);
  void Draw();

  bool StopRequested() override;
  bool Paused() override { return paused_; }
  bool SessionEnding() override;
  bool ShutdownWhenDone() override { return turnOffWhenDone_; }
  bool SoundWhenDone() override { return choices_->playSound; }

  void Show(RunText which, const std::wstring& text) override;
  void ShowStep(int stage, StepIcon icon) override;
  void ShowProgress(int64_t value, int64_t max) override;
  void ShowRunProgress(int64_t done, int64_t total, bool diskFailed) override;
  void ShowStopButton(bool shown) override;
  void ClearReport() override { finish_.ClearReport(); }
  void AddReportRow(int row, const std::wstring& disk, const std::wstring& info, bool ok) override {
    finish_.AddReportRow(row, disk, info, ok);
  }
  void PlayCompletionSound(bool thenRepeat) override { finish_.PlayCompletionSound(thenRepeat); }
  void StartShutdownCountdown() override { finish_.StartShutdownCountdown(); }
  void ShowFinishPage() override;
  void Yield() override;
  Form& Window() override { return stage.form(); }

 private:
  const Icons& icons_;
  ChoicesModel& choices_;
  Wizard& wizard_;
  FinishPage& finish_;
  // Not stored: they hold for the run under way and the next ones.
  bool paused_ = false, turnOffWhenDone_ = false;
  // What the run told last, drawn at the window's next turn.
  std::wstring pendingFree_;
  struct Bar {
    int64_t value, max;
  };
  std::optional<Bar> pendingBar_;
  TaskbarButton taskbar_;
  void EndTaskbar();
};

}  // namespace vantrel
