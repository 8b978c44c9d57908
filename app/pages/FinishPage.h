// Page 7, finished: one report row per disk of the run, the completion
// sound and its repeats, the countdown to the shutdown, and the links to
// the update check, the newsletter and the maker's site.
#pragma once
#include <string>

#include "app/ControlArray.h"
#include "app/pages/Icons.h"
#include "system/CompletionSound.h"
#include "system/Shutdown.h"

namespace vantrel {

class Wizard;

struct FinishControls {
  Control& title;
  // One element per report row: the disk's outcome icon, letter and text.
  ControlArray reportIcons, reportDisks, reportTexts;
  Control &shutdownNote, &updates, &newsletter, &site;
  Timer &soundRepeat, &countdown;
};

class FinishPage : public FinishControls {
 public:
  FinishPage(const FinishControls& controls, const Icons& icons, Wizard& wizard);

  void ClearReport();
  void AddReportRow(int row, const std::wstring& disk, const std::wstring& info, bool ok);
  // Once, then every five seconds when `thenRepeat`.
  void PlayCompletionSound(bool thenRepeat);
  void StartShutdownCountdown();
  // Next and Back cancel a pending sound and the countdown.
  void CancelEnd();

 private:
  Control* ReportElement(const ControlArray& array, int row);
  void CountdownTick();

  const Icons& icons_;
  CompletionSound sound_;
  ShutdownCountdown countdown_;
};

}  // namespace vantrel
