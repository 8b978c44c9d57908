// What the run shows and asks while it works. The run page implements it on
// the window; a test implements it with a recording.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Toolkit.h"

namespace vantrel {

// The state icons of a stage's step image.
enum class StepIcon { Pending, Current, Paused, Ok, Error, NotInMode };

// The texts of the run page and the finish page that the run writes.
enum class RunText {
  Stage,      // the stage's title, or what the run does between stages
  StageInfo,  // the stage's description
  Disks,      // the letters of the run
  Disk,       // the disk in work
  Estimate,   // when the disk should be done
  FreeBytes,  // free bytes while the free space is filled
  Remark,     // a remark that a stage may take long
  Shutdown,   // the note that the computer will be turned off
};

class RunView {
 public:
  virtual ~RunView() = default;

  // Asked: the user's Stop and Pause, and whether Windows ends the session.
  virtual bool StopRequested() = 0;
  virtual bool Paused() = 0;
  virtual bool SessionEnding() = 0;
  // Asked at the end of the run, since the user may change them meanwhile.
  virtual bool ShutdownWhenDone() = 0;
  virtual bool SoundWhenDone() = 0;

  virtual void Show(RunText which, const std::wstring& text) = 0;
  virtual void ShowStep(int stage, StepIcon icon) = 0;
  virtual void ShowProgress(int64_t value, int64_t max) = 0;
  // The run as a whole (the window's taskbar button): done out of total,
  // and whether a disk of the run has failed so far.
  virtual void ShowRunProgress(int64_t done, int64_t total, bool diskFailed) = 0;
  virtual void ShowStopButton(bool shown) = 0;
  // The finish page's report: one row per disk, from row 0 on.
  virtual void ClearReport() = 0;
  virtual void AddReportRow(int row, const std::wstring& disk, const std::wstring& info, bool ok) = 0;
  // The end of the run: the completion sound (once, then repeated when the
  // run was not stopped), the countdown to the shutdown, the finish page.
  virtual void PlayCompletionSound(bool thenRepeat) = 0;
  virtual void StartShutdownCountdown() = 0;
  virtual void ShowFinishPage() = 0;

  // Lets the window handle what is pending: clicks, keys, paints, timers.
  virtual void Yield() = 0;
  // The window that stays out of standby's way while the run works.
  virtual Form& Window() = 0;
};

}  // namespace vantrel
