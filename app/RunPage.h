// The run page and the finish page as the run sees them: what it shows goes
// into their controls, what it asks comes from Stop, Pause and the boxes.
#pragma once
#include "app/StartForm.h"
#include "engine/RunView.h"

namespace vantrel {

class RunPage : public RunView {
 public:
  explicit RunPage(StartForm& form) : form_(form), c_(form.c) {}

  bool StopRequested() override { return form_.StopRequested; }
  bool Paused() override { return Ticked(*c_.Check2); }
  bool SessionEnding() override { return form_.SessionEnding; }
  bool ShutdownWhenDone() override { return Ticked(*c_.Check1); }
  bool SoundWhenDone() override;

  void Show(RunText which, const std::wstring& text) override;
  void ShowStep(int stage, StepIcon icon) override;
  void ShowProgress(int64_t value, int64_t max) override;
  void ShowStopButton(bool shown) override { c_.Command4->SetVisible(shown); }
  void ClearReport() override;
  void AddReportRow(int row, const std::wstring& disk, const std::wstring& info, bool ok) override;
  void PlayCompletionSound(bool thenRepeat) override;
  void StartShutdownCountdown() override;
  void ShowFinishPage() override;
  void Yield() override { DoEvents(); }
  Form& Window() override { return form_.ui; }

 private:
  Control& ReportElement(const ControlArray& array, int row);

  StartForm& form_;
  StartControls& c_;
};

}  // namespace vantrel
