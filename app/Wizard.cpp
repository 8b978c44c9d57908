#include "app/Wizard.h"

#include "app/StartForm.h"
#include "engine/RunDriver.h"
#include "engine/WorkFileRemoval.h"
#include "lang/Language.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {
constexpr int kDiskPage = 2, kMethodPage = 4, kReviewPage = 5, kRunPage = 6;
}  // namespace

Wizard::Wizard(StartForm& form, std::vector<Control*> pages, const WizardButtons& wizardButtons, Timer& startRun)
    : buttons(wizardButtons), form_(form), pages_(std::move(pages)), startRun_(startRun) {
  buttons.next.onClick = [this] { Next(); };
  buttons.back.onClick = [this] { Back(); };
  buttons.stop.onClick = [this] { Stop(); };
  form_.ui.onQueryUnload = [this](int mode) { return QueryUnload(mode); };
  // The window is back (the toolkit shows it again) on the page it was on. A
  // run that the question stopped ends as after Stop (disks not yet begun
  // are stopped at once) on the finish page, and the next run is no longer
  // cut short for the session's end.
  form_.ui.onSessionEndCancelled = [this] { sessionEnding_ = false; };
  startRun_.onTick = [this] { StartRunTick(); };
}

void Wizard::ShowPage(int page) {
  SwitchPage(page);
  DoEvents();
}

void Wizard::SwitchPage(int page) {
  // The page number is right before anything here lets the window answer
  // (the disk page's sweep does): whatever is handled meanwhile starts from
  // the page that is coming, not from the one before it.
  page_ = static_cast<int16_t>(page);
  // A run takes Next and Back away until it ends.
  buttons.next.SetVisible(!running_);
  buttons.back.SetVisible(!running_);
  buttons.next.SetCaption(LangText(L"INTERFACE", page == LastPage() ? L"FINISH" : L"COMMAND1"));
  for (Control* p : pages_) p->SetVisible(false);
  pages_[page]->SetVisible(true);
  if (page == kDiskPage) {
    form_.disks.Refresh();
    form_.history.Refresh();
  }
  form_.disks.driveWatch.SetEnabled(page == kDiskPage);
}

void Wizard::Next() {
  form_.finish.CancelEnd();
  if (page_ == kDiskPage && form_.disks.SelectedLetters().empty()) {
    MsgBox(LangText(L"INTERFACE", L"PLEASESELECTONEDISK"), mb::Exclamation);
    return;
  }
  if (page_ == kMethodPage) form_.review.Fill(form_.disks.SelectedLetters(), *form_.choices);
  if (page_ == kReviewPage) {
    runLock_ = TakeRunLock();
    if (!runLock_) {
      MsgBox(LangText(L"VERSION3", L"ANOTHER-RUN"), mb::Exclamation);
      return;
    }
    // Next and Back go before the window answers again, so a second press
    // of Next cannot skip the run.
    running_ = true;
    stopRequested_ = false;
  }
  if (page_ == LastPage()) {
    CloseAndEnd();
    return;
  }
  SwitchPage(page_ + 1);
  if (page_ == kRunPage) {
    buttons.stop.SetEnabled(true);
    startRun_.SetEnabled(true);
  }
  DoEvents();
}

void Wizard::Back() {
  form_.finish.CancelEnd();
  if (page_ == 1) return;
  // Back on the finished page starts a new pass at the welcome page.
  ShowPage(page_ == LastPage() ? 1 : page_ - 1);
}

void Wizard::Stop() {
  form_.run.estimate.SetCaption(L"");
  stopRequested_ = true;
  buttons.stop.SetEnabled(false);
}

void Wizard::StartRunTick() {
  startRun_.SetEnabled(false);
  Run run(form_.choices.Plan(form_.disks.SelectedLetters()), form_.run);
  activeRun_ = &run;
  // However the run ends, it is over, and another copy may start one.
  struct Over {
    Wizard& wizard;
    ~Over() {
      wizard.activeRun_ = nullptr;
      wizard.running_ = false;
      wizard.runLock_.reset();
    }
  } over{*this};
  StartRun(run);
}

void Wizard::RunFinished() {
  running_ = false;
  ShowPage(LastPage());
}

bool Wizard::QueryUnload(int unloadMode) {
  if (unloadMode == kUnloadCloseBox && running_) {
    MsgBox(LangText(L"VERSION3", L"STOP-OPERATIONS-FIRST"), mb::Information);
    return true;
  }
  const bool sessionEnding = unloadMode == kUnloadSessionEnding;
  // Windows is ending the session: the run stops after the disk in work, and
  // its work folder goes now, before Windows is told it may go on.
  if (sessionEnding && running_) {
    Stop();
    sessionEnding_ = true;
    // The run holds its work folder, so the sweep below would leave it.
    if (activeRun_) ClearWorkNow(*activeRun_);
  }
  form_.ui.SetVisible(false);
  DoEvents();
  SweepLeftovers(sessionEnding ? LeftoverNotice::Quiet : LeftoverNotice::Tell);
  return false;
}

void Wizard::SweepLeftovers(LeftoverNotice notice) {
  // A rebuild of the panel during the sweep (a slot clicked, the refresher)
  // leaves the folders to the sweep already at work.
  if (sweeping_) return;
  // Disabled rather than ignored, so the user sees why a press does nothing.
  struct Hold {
    Wizard& wizard;
    explicit Hold(Wizard& w) : wizard(w) { Set(true); }
    ~Hold() { Set(false); }
    void Set(bool held) {
      wizard.sweeping_ = held;
      wizard.buttons.next.SetEnabled(!held);
      wizard.buttons.back.SetEnabled(!held);
    }
  } hold(*this);
  RemoveLeftoverWorkFolders(notice);
}

void Wizard::CloseAndEnd() {
  if (form_.ui.Close(kUnloadByProgram)) Toolkit().EndProgram();
}

}  // namespace vantrel
