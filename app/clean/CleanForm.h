// The small window of the verb "clean": the run's progress and a Stop
// button, no wizard. The run is the wizard's (the same engine, log, work
// folders, lock and standby rule); the process ends with it, and its exit
// code tells a scheduled task how it went.
#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "app/ChoicesModel.h"
#include "app/TaskbarButton.h"
#include "engine/RunView.h"
#include "platform/SystemInfo.h"
#include "platform/Toolkit.h"

namespace vantrel {

class Run;

// One code per outcome. A failed disk outweighs a stop: the stop was asked
// for, the failure was not.
enum CleanExit : int {
  kCleanCompleted = 0,     // every disk completed
  kCleanDiskFailed = 1,    // at least one disk failed
  kCleanStopped = 2,       // stopped (Stop, the close box, or Windows ending the session)
  kCleanBadArguments = 3,  // a word of the command line is wrong: nothing was done
  kCleanNotStarted = 4,    // another run holds the computer, or the program could not start
};

class CleanForm : public RunView {
 public:
  static constexpr int kWidthTwips = 6000;   // 400 pixels at 96 DPI
  static constexpr int kHeightTwips = 1500;  // 100 pixels at 96 DPI

  CleanForm();

  // Reads the command line. When it is wrong, or another run is going, says
  // so, changes nothing and returns false. Otherwise shows the window and
  // starts the run at the window's first turn; the program ends with it.
  bool Start(const std::wstring& commandLine);
  int ExitCode() const { return exit_; }

  Form ui;
  Control &status, &estimate, &progress, &stop;

  bool StopRequested() override { return stopRequested_; }
  bool Paused() override { return false; }
  bool SessionEnding() override { return sessionEnding_; }
  // Nobody may be there to hear a sound or to stop a shutdown.
  bool ShutdownWhenDone() override { return false; }
  bool SoundWhenDone() override { return false; }

  void Show(RunText which, const std::wstring& text) override;
  void ShowStep(int, StepIcon) override {}
  void ShowProgress(int64_t value, int64_t max) override;
  void ShowRunProgress(int64_t done, int64_t total, bool diskFailed) override {
    taskbar_.Tell(done, total, diskFailed);
  }
  void ShowStopButton(bool shown) override { stop.SetVisible(shown); }
  void ClearReport() override {}
  void AddReportRow(int row, const std::wstring& disk, const std::wstring& info, bool ok) override;
  void PlayCompletionSound(bool) override {}
  void StartShutdownCountdown() override {}
  void ShowFinishPage() override {}
  void Yield() override;
  Form& Window() override { return ui; }

 private:
  void Stop();
  void StartRunTick();
  bool QueryUnload(int unloadMode);

  Timer& startRun_;
  ChoicesModel choices_;
  std::optional<RunPlan> plan_;
  std::unique_ptr<MachineLock> lock_;
  Run* run_ = nullptr;
  bool stopRequested_ = false, sessionEnding_ = false;
  std::wstring disk_;
  std::size_t disksDone_ = 0;
  bool anyFailed_ = false, anyStopped_ = false;
  int exit_ = kCleanNotStarted;
  struct Bar {
    int64_t value, max;
  };
  std::optional<Bar> pendingBar_;
  TaskbarButton taskbar_;
};

}  // namespace vantrel
