// Moving through the wizard's pages: Next, Back, Stop and closing the window.
#include "app/StartForm.h"
#include "disks/DiskPanel.h"
#include "disks/DiskSelection.h"
#include "disks/LeftoverFolders.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "runlog/Statistics.h"

namespace vantrel {

void StartForm::ShowPage(int page) {
  ui(L"Command1").SetVisible(true);
  ui(L"Command2").SetVisible(true);
  ui(L"Command1").SetCaption(LangText(L"INTERFACE", L"COMMAND1"));
  for (int i = 0; i <= LastPage(); ++i) ui(L"win", i).SetVisible(false);
  ui(L"win", page).SetVisible(true);
  if (page == 2) {
    RefreshDiskPanel(*this);
    RefreshStatistics(*this);
    timer(L"DiskListRefresher").SetEnabled(true);
  } else {
    timer(L"DiskListRefresher").SetEnabled(false);
  }
  if (page == LastPage()) ui(L"Command1").SetCaption(LangText(L"INTERFACE", L"FINISH"));
  DoEvents();
  CurrentPage = static_cast<int16_t>(page);
}

void StartForm::FillReviewPage() {
  ui(L"Label18").SetCaption(SelectedDiskLetters(*this));
  std::wstring action = ui(L"Label20").Caption();
  std::erase(action, L'*');
  ui(L"Label20").SetCaption(action);
  ui(L"Label40").SetCaption(LangText(L"INTERFACE", Ticked(ui(L"Check4")) ? L"YES" : L"NO"));
  if (ui(L"Option6").Value()) {
    ui(L"Label19").SetCaption(ui(L"Option6").Caption());
    ui(L"Label20").SetCaption(LangText(L"INTERFACE", L"NO"));
  }
  if (ui(L"Option7").Value()) {
    ui(L"Label19").SetCaption(ui(L"Option7").Caption());
    for (int m = 1; m <= 5; ++m) {
      const Control& method = ui(L"Option" + std::to_wstring(m));
      if (method.Value()) {
        ui(L"Label20").SetCaption(method.Caption());
        break;
      }
    }
  }
  for (const wchar_t* name : {L"Option8", L"Option9", L"Option10"})
    if (ui(name).Value()) ui(L"Label19").SetCaption(ui(L"Label19").Caption() + L", FAT/NTFS: " + ui(name).Caption());
}

void StartForm::NextClick() {
  timer(L"PlayWAV").SetEnabled(false);
  timer(L"turnoff").SetEnabled(false);
  if (CurrentPage == 2 && SelectedDiskLetters(*this).empty()) {
    MsgBox(LangText(L"INTERFACE", L"PLEASESELECTONEDISK"), mb::Exclamation);
    return;
  }
  if (CurrentPage == 4) FillReviewPage();
  if (CurrentPage == LastPage()) {
    CloseAndEnd();
    return;
  }
  ShowPage(CurrentPage + 1);
  DoEvents();
  if (CurrentPage == 6) {
    ui(L"Command1").SetVisible(false);
    ui(L"Command2").SetVisible(false);
    ui(L"Command4").SetEnabled(true);
    run.StopRequested = false;
    timer(L"worknow").SetEnabled(true);
  }
}

void StartForm::BackClick() {
  timer(L"turnoff").SetEnabled(false);
  timer(L"PlayWAV").SetEnabled(false);
  if (CurrentPage == 1) return;
  int page = CurrentPage - 1;
  // Back on the finished page starts a new pass at the welcome page.
  if (page == LastPage() - 1) page = 1;
  ShowPage(page);
}

void StartForm::StopClick() {
  ui(L"Label14").SetCaption(L"");
  run.StopRequested = true;
  run.DiskStatus = kStopped;
  ui(L"Command4").SetEnabled(false);
}

bool StartForm::QueryUnload(int unloadMode) {
  const bool running = !ui(L"Command1").Visible() && !ui(L"Command2").Visible();
  if (unloadMode == 0 && running) {
    MsgBox(LangText(L"VERSION3", L"STOP-OPERATIONS-FIRST"), mb::Information);
    return true;
  }
  const bool sessionEnding = unloadMode == kUnloadSessionEnding;
  // Windows is ending the session: the run stops after the disk in work, and
  // its work folder goes now, before Windows is told it may go on.
  if (sessionEnding && running) {
    StopClick();
    run.SessionEnding = true;
  }
  ui.SetVisible(false);
  DoEvents();
  RemoveLeftoverWorkFolders(sessionEnding ? LeftoverNotice::Quiet : LeftoverNotice::Tell);
  return false;
}

void StartForm::CloseAndEnd() {
  if (ui.Close(1)) Toolkit().EndProgram();
}

}  // namespace vantrel
