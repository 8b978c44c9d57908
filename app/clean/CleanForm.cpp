#include "app/clean/CleanForm.h"

#include <variant>

#include "app/Captions.h"
#include "app/CleanControlIds.h"
#include "app/clean/CleanArguments.h"
#include "disks/LeftoverFolders.h"
#include "engine/RunDriver.h"
#include "engine/WorkFileRemoval.h"
#include "lang/Language.h"
#include "platform/Dialogs.h"
#include "services/RunLock.h"

namespace vantrel {

namespace {

constexpr int kMargin = 240, kText = CleanForm::kWidthTwips - 2 * kMargin;
constexpr int kButtonWidth = 1215, kButtonHeight = 375;

Control& Add(Form& form, ControlKind kind, const wchar_t* name, const Twips& at) {
  Control& c = form.Add(kind, name, *clean_ids::Find(name), nullptr, at);
  c.SetFontCharset(Lang().LanguageCharset);
  return c;
}

}  // namespace

CleanForm::CleanForm()
    : ui(L"Clean", kWidthTwips, kHeightTwips),
      status(Add(ui, ControlKind::Label, L"Label1", {kMargin, kMargin, kText, 255})),
      estimate(Add(ui, ControlKind::Label, L"Label2", {kMargin, 555, kText, 255})),
      progress(Add(ui, ControlKind::ProgressBar, L"ProgressBar1", {kMargin, 915, kText - kButtonWidth - 120, 300})),
      stop(Add(ui, ControlKind::Button, L"Command1",
               {kWidthTwips - kMargin - kButtonWidth, 878, kButtonWidth, kButtonHeight})),
      startRun_(ui.AddTimer(L"worknow", 50)) {
  status.bold = true;
  stop.onClick = [this] { Stop(); };
  ui.onQueryUnload = [this](int mode) { return QueryUnload(mode); };
  startRun_.onTick = [this] { StartRunTick(); };
}

bool CleanForm::Start(const std::wstring& commandLine) {
  choices_.Load();
  auto parsed = ParseCleanArguments(commandLine, choices_.Plan({}));
  if (const std::wstring* refusal = std::get_if<std::wstring>(&parsed)) {
    MsgBox(*refusal, mb::Exclamation);
    exit_ = kCleanBadArguments;
    return false;
  }
  lock_ = TakeRunLock();
  if (!lock_) {
    MsgBox(LangText(L"VERSION3", L"ANOTHER-RUN"), mb::Exclamation);
    return false;
  }
  plan_ = std::get<RunPlan>(std::move(parsed));
  // A folder an interrupted run left would fail its disk: it goes first, as
  // the disk page removes it, without a question nobody may be there to answer.
  RemoveLeftoverWorkFolders(LeftoverNotice::Quiet);
  SetCaptionsFromLanguage(ui, clean_ids::kControls);
  ui.SetCaption(L"Vantrel");
  ui.SetVisible(true);
  startRun_.SetEnabled(true);
  return true;
}

void CleanForm::StartRunTick() {
  startRun_.SetEnabled(false);
  {
    Run run(*plan_, *this);
    run_ = &run;
    StartRun(run);
    run_ = nullptr;
  }
  lock_.reset();
  taskbar_.End(ui);
  // Disks that the session's end kept from starting count as stopped.
  const bool allDone = disksDone_ == plan_->letters.size();
  exit_ = anyFailed_ ? kCleanDiskFailed : (anyStopped_ || !allDone) ? kCleanStopped : kCleanCompleted;
  ui.Close(kUnloadByProgram);
  Toolkit().EndProgram();
}

void CleanForm::Stop() {
  stopRequested_ = true;
  stop.SetEnabled(false);
  estimate.SetCaption(L"");
}

bool CleanForm::QueryUnload(int unloadMode) {
  if (!run_) return false;
  if (unloadMode == kUnloadSessionEnding) {
    // As in the wizard: the work files go now, before Windows may end the
    // process; the run stops after the disk in work.
    Stop();
    sessionEnding_ = true;
    ClearWorkNow(*run_);
    return false;
  }
  // The close box stops the run; the window goes when the run has ended.
  if (unloadMode == kUnloadCloseBox) Stop();
  return unloadMode == kUnloadCloseBox;
}

void CleanForm::Show(RunText which, const std::wstring& text) {
  switch (which) {
    case RunText::Disks: ui.SetCaption(L"Vantrel - " + text); break;
    case RunText::Disk: disk_ = text; break;
    case RunText::Stage: status.SetCaption(disk_.empty() ? text : disk_ + L":  " + text); break;
    case RunText::Estimate: estimate.SetCaption(text); break;
    default: break;
  }
}

void CleanForm::AddReportRow(int, const std::wstring&, const std::wstring&, bool) {
  ++disksDone_;
  if (!run_) return;
  if (run_->DiskStatus == kStopped)
    anyStopped_ = true;
  else if (run_->DiskStatus != kCompleted)
    anyFailed_ = true;
}

// As on the run page: the bar moves at the window's turns, not at every line.
void CleanForm::ShowProgress(int64_t value, int64_t max) { pendingBar_ = Bar{value, max}; }

void CleanForm::Yield() {
  if (pendingBar_) {
    progress.SetMax(pendingBar_->max);
    progress.SetValue(pendingBar_->value);
    pendingBar_.reset();
  }
  taskbar_.Draw(ui, false);
  DoEvents();
}

}  // namespace vantrel
