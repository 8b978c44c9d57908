// Moving through the main window's pages: Next and Back, the run that Next
// on the review page starts and Stop ends, and closing the window. Whether a
// run is going is this object's state, not what the buttons show.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "disks/LeftoverFolders.h"
#include "platform/Toolkit.h"
#include "services/RunLock.h"

namespace vantrel {

class Run;
class StartForm;

struct WizardButtons {
  Control &back, &next, &stop;
};

class Wizard {
 public:
  // `pages` are the page containers, element 0 an empty one never shown.
  Wizard(StartForm& form, std::vector<Control*> pages, const WizardButtons& buttons, Timer& startRun);

  int CurrentPage() const { return page_; }
  int LastPage() const { return static_cast<int>(pages_.size()) - 1; }
  void ShowPage(int page);

  // From Next on the review page until the run hands over to the finish page.
  bool RunGoing() const { return running_; }
  bool StopRequested() const { return stopRequested_; }
  // Windows is ending the session: the run stops after the disk in work.
  bool SessionEnding() const { return sessionEnding_; }
  // The run is over: the finish page shows, with Next and Back.
  void RunFinished();

  // Removes the work folders that an interrupted run left (after every
  // rebuild of the disk panel, and at the close). The window answers while
  // a large folder goes, so Next and Back show disabled and wait meanwhile.
  void SweepLeftovers(LeftoverNotice notice);
  // Closes the window as the program's own close and ends the program.
  void CloseAndEnd();

  WizardButtons buttons;

 private:
  // ShowPage without letting the window answer at the end.
  void SwitchPage(int page);
  void Next();
  void Back();
  void Stop();
  // True keeps the window open.
  bool QueryUnload(int unloadMode);
  void StartRunTick();

  StartForm& form_;
  std::vector<Control*> pages_;
  Timer& startRun_;
  int16_t page_ = 0;
  bool running_ = false, stopRequested_ = false, sessionEnding_ = false, sweeping_ = false;
  // The run under way, and the lock that keeps every other copy of the
  // program from starting one, from Next on the review page to its end.
  Run* activeRun_ = nullptr;
  std::unique_ptr<MachineLock> runLock_;
};

}  // namespace vantrel
