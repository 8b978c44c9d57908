// Moving through the wizard's pages: Next, Back, Stop and closing the window.
#include "app/Choices.h"
#include "app/DiskPanelPage.h"
#include "app/HistoryView.h"
#include "app/RunPage.h"
#include "app/StartForm.h"
#include "disks/LeftoverFolders.h"
#include "engine/RunDriver.h"
#include "engine/WorkFileRemoval.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/RunLock.h"

namespace vantrel {

void StartForm::ShowPage(int page) {
  SwitchPage(page);
  DoEvents();
}

void StartForm::SwitchPage(int page) {
  // The page number is right before anything here lets the window answer
  // (the disk page's sweep does): whatever is handled meanwhile starts from
  // the page that is coming, not from the one before it.
  CurrentPage = static_cast<int16_t>(page);
  c.Command1->SetVisible(true);
  c.Command2->SetVisible(true);
  c.Command1->SetCaption(LangText(L"INTERFACE", L"COMMAND1"));
  for (int i = 0; i <= LastPage(); ++i) c.win[i].SetVisible(false);
  c.win[page].SetVisible(true);
  if (page == 2) {
    RefreshDiskPanel(*this);
    RefreshStatistics(*this);
    c.DiskListRefresher->SetEnabled(true);
  } else {
    c.DiskListRefresher->SetEnabled(false);
  }
  if (page == LastPage()) c.Command1->SetCaption(LangText(L"INTERFACE", L"FINISH"));
}

void StartForm::FillReviewPage() {
  c.Label18->SetCaption(SelectedDiskLetters(*this));
  std::wstring action = c.Label20->Caption();
  std::erase(action, L'*');
  c.Label20->SetCaption(action);
  c.Label40->SetCaption(LangText(L"INTERFACE", Ticked(*c.Check4) ? L"YES" : L"NO"));
  if (c.Option6->Value()) {
    c.Label19->SetCaption(c.Option6->Caption());
    c.Label20->SetCaption(LangText(L"INTERFACE", L"NO"));
  }
  if (c.Option7->Value()) {
    c.Label19->SetCaption(c.Option7->Caption());
    for (Control* method : {c.Option1, c.Option2, c.Option3, c.Option4, c.Option5}) {
      if (method->Value()) {
        c.Label20->SetCaption(method->Caption());
        break;
      }
    }
  }
  for (Control* mode : {c.Option8, c.Option9, c.Option10})
    if (mode->Value()) c.Label19->SetCaption(c.Label19->Caption() + L", FAT/NTFS: " + mode->Caption());
}

RunPlan StartForm::BuildRunPlan() const {
  RunPlan plan;
  plan.letters = SelectedDiskLetters(*this);
  plan.cleaning = choices::Cleaning();
  plan.ntfs = choices::Ntfs();
  // The method the page shows selected; the first selected wins, as on the
  // review page.
  Control* const methods[] = {c.Option1, c.Option2, c.Option3, c.Option4, c.Option5};
  for (int m = 5; m >= 1; --m)
    if (methods[m - 1]->Value()) plan.method = static_cast<OverwriteMethod>(m);
  plan.emptyRecycleBin = Ticked(*c.Check4);
  plan.preventStandby = choices::Get(choices::Flag::PreventStandby);
  return plan;
}

void StartForm::WorkNowTick() {
  c.worknow->SetEnabled(false);
  RunPage page(*this);
  Run run(BuildRunPlan(), page);
  ActiveRun = &run;
  StartRun(run);
  ActiveRun = nullptr;
  RunLock.reset();
}

void StartForm::NextClick() {
  c.PlayWAV->SetEnabled(false);
  c.turnoff->SetEnabled(false);
  if (CurrentPage == 2 && SelectedDiskLetters(*this).empty()) {
    MsgBox(LangText(L"INTERFACE", L"PLEASESELECTONEDISK"), mb::Exclamation);
    return;
  }
  if (CurrentPage == 4) FillReviewPage();
  if (CurrentPage == 5) {
    RunLock = TakeRunLock();
    if (!RunLock) {
      MsgBox(LangText(L"VERSION3", L"ANOTHER-RUN"), mb::Exclamation);
      return;
    }
  }
  if (CurrentPage == LastPage()) {
    CloseAndEnd();
    return;
  }
  SwitchPage(CurrentPage + 1);
  // The run page takes Next and Back away before the window answers again,
  // so a second press of Next cannot skip the run.
  if (CurrentPage == 6) {
    c.Command1->SetVisible(false);
    c.Command2->SetVisible(false);
    c.Command4->SetEnabled(true);
    StopRequested = false;
    c.worknow->SetEnabled(true);
  }
  DoEvents();
}

void StartForm::BackClick() {
  c.turnoff->SetEnabled(false);
  c.PlayWAV->SetEnabled(false);
  if (CurrentPage == 1) return;
  int page = CurrentPage - 1;
  // Back on the finished page starts a new pass at the welcome page.
  if (page == LastPage() - 1) page = 1;
  ShowPage(page);
}

void StartForm::StopClick() {
  c.Label14->SetCaption(L"");
  StopRequested = true;
  c.Command4->SetEnabled(false);
}

bool StartForm::QueryUnload(int unloadMode) {
  const bool running = !c.Command1->Visible() && !c.Command2->Visible();
  if (unloadMode == kUnloadCloseBox && running) {
    MsgBox(LangText(L"VERSION3", L"STOP-OPERATIONS-FIRST"), mb::Information);
    return true;
  }
  const bool sessionEnding = unloadMode == kUnloadSessionEnding;
  // Windows is ending the session: the run stops after the disk in work, and
  // its work folder goes now, before Windows is told it may go on.
  if (sessionEnding && running) {
    StopClick();
    SessionEnding = true;
    // The run holds its work folder, so the sweep below would leave it.
    if (ActiveRun) ClearWorkNow(*ActiveRun);
  }
  ui.SetVisible(false);
  DoEvents();
  SweepLeftovers(sessionEnding ? LeftoverNotice::Quiet : LeftoverNotice::Tell);
  return false;
}

// The window is back (the toolkit shows it again) on the page it was on. A
// run that the question stopped ends as after Stop (disks not yet begun are
// stopped at once) on the finish page, and the next run is no longer cut
// short for the session's end.
void StartForm::SessionEndCancelled() { SessionEnding = false; }

void StartForm::SweepLeftovers(LeftoverNotice notice) {
  // A rebuild of the panel during the sweep (a slot clicked, the refresher)
  // leaves the folders to the sweep already at work.
  if (sweeping_) return;
  // Next and Back get back exactly the state they had, however the sweep ends.
  struct Hold {
    StartForm& form;
    bool next, back;
    ~Hold() {
      form.c.Command1->SetEnabled(next);
      form.c.Command2->SetEnabled(back);
      form.sweeping_ = false;
    }
  } hold{*this, c.Command1->Enabled(), c.Command2->Enabled()};
  sweeping_ = true;
  // Disabled rather than ignored, so the user sees why a press does nothing.
  c.Command1->SetEnabled(false);
  c.Command2->SetEnabled(false);
  RemoveLeftoverWorkFolders(notice);
}

void StartForm::CloseAndEnd() {
  if (ui.Close(kUnloadByProgram)) Toolkit().EndProgram();
}

}  // namespace vantrel
