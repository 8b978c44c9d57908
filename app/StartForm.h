// The main window `Start`: the seven-page wizard, its controls and the state
// it owns for the life of the process.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "app/StartControls.h"
#include "disks/LeftoverFolders.h"
#include "engine/RunPlan.h"
#include "platform/SystemInfo.h"
#include "platform/Toolkit.h"
#include "system/CompletionSound.h"
#include "system/Shutdown.h"

namespace vantrel {

class Run;

class StartForm {
 public:
  static constexpr int kWidthTwips = 10800;  // 720 pixels at 96 DPI
  static constexpr int kHeightTwips = 7500;  // 500 pixels at 96 DPI
  // From one row of the disk panel to the next.
  static constexpr int kDiskRowPitchTwips = 1140;

  StartForm();

  // The start-up sequence. Wizard when the window is ready to show; else
  // where a command-line verb hands over, or End after a fatal start-up
  // message or a verb that did its job.
  Handover Load(const std::wstring& commandLine);

  void ShowPage(int page);
  void NextClick();
  void BackClick();
  void StopClick();
  // True keeps the window open.
  bool QueryUnload(int unloadMode);
  // Windows asked to end the session and then went on after all.
  void SessionEndCancelled();
  // Removes the work folders that an interrupted run left (after every
  // rebuild of the disk panel, and at the close). The window answers while
  // a large folder goes, so Next and Back show disabled and wait meanwhile.
  void SweepLeftovers(LeftoverNotice notice);
  // The plan of the run the run page starts: what the pages show now.
  RunPlan BuildRunPlan() const;
  // Moves the run history below as many rows of disks as the panel has.
  void PlaceDiskHistory(int panelRows);
  // Whether the disk panel leaves the history list room to be read.
  bool HistoryRoom = true;

  // The last page, the upper bound of the page array.
  int LastPage() const { return c.win.UBound(); }

  Form ui;
  StartControls c;
  int16_t CurrentPage = 0;
  // Set by Stop, cleared when a run starts; the run asks for it.
  bool StopRequested = false;
  // Windows is ending the session: the run stops after the disk in work.
  bool SessionEnding = false;
  // The run under way, while one is, and the lock that keeps every other
  // copy of the program from starting one, from Next on the review page.
  Run* ActiveRun = nullptr;
  std::unique_ptr<MachineLock> RunLock;
  // The end of a run: the sound's plays, and the countdown to the shutdown.
  CompletionSound sound;
  ShutdownCountdown countdown;

 private:
  void BuildControls();
  void WireChoices();
  // ShowPage without letting the window answer at the end.
  void SwitchPage(int page);
  void SetCaptions();
  void RestoreModes();
  void RestoreExtras();
  void FillReviewPage();
  void WorkNowTick();
  void CloseAndEnd();
  void PagingFileClick();
  void TurnOffTick();

  bool sweeping_ = false;
};

// A check box counts as ticked only with the value 1.
inline bool Ticked(const Control& box) { return box.Value() == 1; }

}  // namespace vantrel
