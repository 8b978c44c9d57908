// What each choice on the wizard's pages does when clicked: it is stored the
// moment it changes, so nothing waits for the window to close.
#include "app/Choices.h"
#include "app/CommandLine.h"
#include "app/DiskPanelPage.h"
#include "app/HistoryView.h"
#include "app/StartForm.h"
#include "lang/Language.h"
#include "maker/ServiceUrl.h"
#include "platform/Platform.h"
#include "system/PagingFile.h"

namespace vantrel {

void StartForm::WireChoices() {
  auto flag = [](Control* box, choices::Flag f) {
    box->onClick = [box, f] { choices::Set(f, Ticked(*box)); };
  };
  flag(c.Check7, choices::Flag::SkipWelcome);
  flag(c.Check4, choices::Flag::EmptyRecycleBin);
  flag(c.Check3, choices::Flag::PlaySound);
  flag(c.Check5, choices::Flag::PreventStandby);
  c.Check9->onClick = [this] {
    choices::Set(choices::Flag::ShowGoodOnly, Ticked(*c.Check9));
    RefreshStatistics(*this);
  };
  c.Label22->onClick = [this] { ClearStatistics(*this); };
  c.Check6->onClick = [this] { PagingFileClick(); };

  auto whenSelected = [](Control* option, std::function<void()> store) {
    option->onClick = [option, store] {
      if (option->Value()) store();
    };
  };
  Control* const methods[] = {c.Option1, c.Option2, c.Option3, c.Option4, c.Option5};
  for (int m = 1; m <= 5; ++m)
    whenSelected(methods[m - 1], [m] { choices::SetMethod(static_cast<OverwriteMethod>(m)); });
  whenSelected(c.Option6, [] { choices::SetCleaning(CleaningMode::FileRecords); });
  whenSelected(c.Option7, [] { choices::SetCleaning(CleaningMode::FreeSpace); });
  whenSelected(c.Option8, [] { choices::SetNtfs(NtfsMode::Normal); });
  whenSelected(c.Option9, [] { choices::SetNtfs(NtfsMode::Thorough); });
  whenSelected(c.Option10, [] { choices::SetNtfs(NtfsMode::Deepest); });

  c.Label12->onClick = [this] {
    RestartWithVerb(L"lang");
    CloseAndEnd();
  };
  c.Label46->onClick = [this] {
    RestartWithVerb(L"subscribe");
    CloseAndEnd();
  };
  c.Label43->onClick = [] { RestartWithVerb(L"updates"); };
  c.Label24->onClick = [] { ServiceUrl(L"site", L"", false); };
  ui.arrayClicks[c.DiskLabel.name()] = [this](int i) { ToggleDiskSlot(*this, i); };
  ui.arrayClicks[c.DiskImage.name()] = [this](int i) { ToggleDiskSlot(*this, i); };

  c.Command1->onClick = [this] { NextClick(); };
  c.Command2->onClick = [this] { BackClick(); };
  c.Command4->onClick = [this] { StopClick(); };
  ui.onQueryUnload = [this](int mode) { return QueryUnload(mode); };
  ui.onSessionEndCancelled = [this] { SessionEndCancelled(); };

  c.worknow->onTick = [this] { WorkNowTick(); };
  c.DiskListRefresher->onTick = [this] { DiskListRefresherTick(*this); };
  c.PlayWAV->onTick = [this] {
    if (!sound.PlayCompletionSound()) c.PlayWAV->SetEnabled(false);
  };
  c.turnoff->onTick = [this] { TurnOffTick(); };
}

// Only an administrator may change the option; anyone else's tick springs
// back with the reason. Unticking a box that sprang back asks nothing.
void StartForm::PagingFileClick() {
  const bool ticked = Ticked(*c.Check6);
  if (ChangePagingFileSetting(ticked) || !ticked) return;
  MsgBox(LangText(L"ERRORS", L"RUN-AS-ADMIN"), mb::Critical);
  c.Check6->SetValue(0);
}

void StartForm::TurnOffTick() {
  const ShutdownCountdown::Step step = countdown.Tick();
  if (step.label) c.Label21->SetCaption(*step.label);
  if (!step.goOn) c.turnoff->SetEnabled(false);
}

}  // namespace vantrel
