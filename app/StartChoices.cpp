// What each choice on the wizard's pages does when clicked: it is stored the
// moment it changes, so nothing waits for the window to close.
#include "app/CommandLine.h"
#include "app/Settings.h"
#include "app/StartForm.h"
#include "disks/DiskPanel.h"
#include "disks/DiskSelection.h"
#include "engine/RunDriver.h"
#include "platform/Platform.h"
#include "runlog/Statistics.h"
#include "services/ServiceUrl.h"
#include "system/PagingFile.h"
#include "system/SystemActions.h"

namespace vantrel {

void StartForm::WireChoices() {
  auto store = [](const wchar_t* section, const wchar_t* key, std::wstring value) {
    WriteSetting(kProgramSettings, section, key, value);
  };
  // Boxes stored "YES" when ticked, and boxes stored "NO" when not (absent means on).
  auto yesWhenTicked = [this, store](const wchar_t* box, const wchar_t* section, const wchar_t* key) {
    ui(box).onClick = [this, store, box, section, key] { store(section, key, Ticked(ui(box)) ? L"YES" : L""); };
  };
  auto noWhenUnticked = [this, store](const wchar_t* box, const wchar_t* key) {
    ui(box).onClick = [this, store, box, key] { store(L"Settings", key, Ticked(ui(box)) ? L"" : L"NO"); };
  };
  yesWhenTicked(L"Check7", L"RunSecondWindow", L"Value");
  yesWhenTicked(L"Check4", L"EmptyBin", L"Value");
  yesWhenTicked(L"Check9", L"Settings", L"SHOWGOODONLY");
  ui(L"Check9").onClick = [this, inner = ui(L"Check9").onClick] {
    inner();
    RefreshStatistics(*this);
  };
  noWhenUnticked(L"Check3", L"PlaySound");
  noWhenUnticked(L"Check5", L"PreventStandBy");
  ui(L"Check6").onClick = [this] { WritePagingFileSetting(*this); };

  auto whenSelected = [this, store](const std::wstring& option, const wchar_t* section, const wchar_t* key,
                                    std::wstring value) {
    ui(option).onClick = [this, store, option, section, key, value] {
      if (ui(option).Value()) store(section, key, value);
    };
  };
  for (int m = 1; m <= 5; ++m)
    whenSelected(L"Option" + std::to_wstring(m), L"SecurityMethod", L"Value", std::to_wstring(m));
  whenSelected(L"Option6", L"SecurityWay", L"Value", L"");
  whenSelected(L"Option7", L"SecurityWay", L"Value", L"7");
  whenSelected(L"Option8", L"NTFSMODE", L"VALUE", L"");
  whenSelected(L"Option9", L"NTFSMODE", L"VALUE", L"2");
  whenSelected(L"Option10", L"NTFSMODE", L"VALUE", L"3");

  ui(L"Label12").onClick = [this] {
    RestartWithVerb(L"lang");
    CloseAndEnd();
  };
  ui(L"Label46").onClick = [this] {
    RestartWithVerb(L"subscribe");
    CloseAndEnd();
  };
  ui(L"Label43").onClick = [] { RestartWithVerb(L"updates"); };
  ui(L"Label24").onClick = [] { ServiceUrl(L"site", L"", false); };
  ui.arrayClicks[L"DiskLabel"] = [this](int i) { ToggleDiskSlot(*this, i); };
  ui.arrayClicks[L"DiskImage"] = [this](int i) { ToggleDiskSlot(*this, i); };

  ui(L"Command1").onClick = [this] { NextClick(); };
  ui(L"Command2").onClick = [this] { BackClick(); };
  ui(L"Command4").onClick = [this] { StopClick(); };
  ui.onQueryUnload = [this](int mode) { return QueryUnload(mode); };

  timer(L"worknow").onTick = [this] { WorkNowTick(*this); };
  timer(L"DiskListRefresher").onTick = [this] { DiskListRefresherTick(*this); };
  timer(L"PlayWAV").onTick = [] { PlayCompletionSound(); };
  timer(L"turnoff").onTick = [this] { TurnOffTick(*this); };
}

}  // namespace vantrel
