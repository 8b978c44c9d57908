// The main window's start-up sequence.
#include "app/StartForm.h"

#include "app/CommandLine.h"
#include "app/Settings.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "runlog/Statistics.h"
#include "services/Environment.h"
#include "services/ErrorReport.h"
#include "services/Paths.h"
#include "services/UpdateCheck.h"
#include "system/PagingFile.h"

namespace vantrel {

namespace {

// Labels (and the list view) that take the language's character set;
// buttons, check boxes and options keep their own.
const wchar_t* const kCharsetLabels[] = {
    L"Label8",  L"Label21", L"Label3",  L"Label5",  L"Label7",  L"Label23", L"Label4",  L"Label37",
    L"Label38", L"Label18", L"Label20", L"Label40", L"Label6",  L"Label16", L"Label36", L"Label39",
    L"Label34", L"Label9",  L"status",  L"Label44", L"Label1",  L"Label2",  L"Label41", L"Label43",
    L"Label46", L"Label22", L"Label15", L"Label26", L"Label27", L"Label25", L"Label28", L"Label29",
    L"Label13", L"Label10", L"Label14", L"Label11", L"Label19", L"Label33", L"ListView1"};

// Controls whose caption key is their own name in upper case.
const wchar_t* const kOwnKeyCaptions[] = {
    L"Command1", L"Command2", L"Label8",  L"Label3",  L"Label5",  L"Check5",  L"Check6",  L"Label7",
    L"Label4",   L"Label37",  L"Label38", L"Check4",  L"Option1", L"Option2", L"Option3", L"Option4",
    L"Option5",  L"Label6",   L"Label16", L"Label36", L"Label39", L"Label34", L"Check1",  L"Check3",
    L"Command4", L"Label1",   L"Label2",  L"Label41", L"Label46"};

const std::pair<const wchar_t*, const wchar_t*> kVersion3Captions[] = {
    {L"Check7", L"DONTSHOWINTHEFUTURE"}, {L"Label29", L"STATISTICS"},   {L"Label15", L"WHICHMODE"},
    {L"Option6", L"MODE1"},              {L"Option7", L"MODE2"},        {L"Label26", L"MODE1-INFO"},
    {L"Label27", L"MODE2-INFO"},         {L"Label11", L"NTFS-MODE-REVIEW"}, {L"Label25", L"NTFS-MODE"},
    {L"Label28", L"NTFS-MODE-INFO"},     {L"Option8", L"NTFS-MODE-1"},  {L"Option9", L"NTFS-MODE-2"},
    {L"Option10", L"NTFS-MODE-3"}};

std::wstring Setting(const wchar_t* section, const wchar_t* key) {
  return ReadSetting(kProgramSettings, section, key);
}

}  // namespace

StartForm::StartForm() : ui(L"Start", kWidthTwips, kHeightTwips) {
  BuildControls();
  WireChoices();
}

void StartForm::SetCaptions() {
  for (const wchar_t* name : kOwnKeyCaptions) {
    std::wstring key = name;
    for (auto& c : key) c = static_cast<wchar_t>(std::towupper(c));
    ui(name).SetCaption(LangText(L"INTERFACE", key));
  }
  ui(L"Label23").SetCaption(LangText(L"INTERFACE", L"COMMAND5"));
  ui(L"Check2").SetCaption(LangText(L"INTERFACE", L"PAUSE"));
  ui(L"Label43").SetCaption(LangText(L"INTERFACE", L"COMMAND7"));
  ui(L"Label12").SetCaption(Lang().LanguageName);
  for (const auto& [name, key] : kVersion3Captions) ui(name).SetCaption(LangText(L"VERSION3", key));
  for (int step = 0; step < 4; ++step)
    ui(L"StepInfo", step).SetCaption(LangText(L"VERSION3", L"STEP" + std::to_wstring(step + 1) + L"-TITLE"));
}

void StartForm::RestoreModes() {
  const std::wstring ntfs = Setting(L"NTFSMODE", L"VALUE");
  if (ntfs.empty()) ui(L"Option8").SetValue(1);
  if (ntfs == L"2") ui(L"Option9").SetValue(1);
  if (ntfs == L"3") ui(L"Option10").SetValue(1);
  const std::wstring way = Setting(L"SecurityWay", L"Value");
  if (way.empty()) ui(L"Option6").SetValue(1);
  if (way == L"7") ui(L"Option7").SetValue(1);
  if (Setting(L"Settings", L"SHOWGOODONLY") == L"YES") ui(L"Check9").SetValue(1);
}

void StartForm::RestoreExtras() {
  ui(L"Option2").SetValue(1);
  const std::wstring method = Setting(L"SecurityMethod", L"Value");
  for (int m = 1; m <= 5; ++m)
    if (method == std::to_wstring(m)) ui(L"Option" + std::to_wstring(m)).SetValue(1);

  if (Setting(L"EmptyBin", L"Value") == L"YES") ui(L"Check4").SetValue(1);
  ui(L"Check3").SetValue(Setting(L"Settings", L"PlaySound").empty() ? 1 : 0);
  ui(L"Check5").SetValue(Setting(L"Settings", L"PreventStandBy").empty() ? 1 : 0);
  // Standby prevention is offered only on major version 5.
  if (Env().WindowsVersion != 5) {
    ui(L"Check5").SetValue(0);
    ui(L"Check5").SetEnabled(false);
  }
  ui(L"Check6").SetValue(PagingFileClearedAtShutdown() ? 1 : 0);
}

bool StartForm::Load(const std::wstring& commandLine) {
  InitEnvironment();
  if (!InitLanguage()) return false;
  OfferErrorReport();
  UpdateCheckReminder(true);
  if (DispatchVerb(commandLine)) return false;

  for (const wchar_t* name : kCharsetLabels) ui(name).SetFontCharset(Lang().LanguageCharset);
  for (int step = 0; step < 4; ++step) ui(L"StepInfo", step).SetFontCharset(Lang().LanguageCharset);
  SetCaptions();
  RestoreModes();
  ui(L"Label22").SetCaption(LangText(L"VERSION3", L"CLEAR-STATS"));
  ui(L"Label33").SetCaption(LangText(L"VERSION3", L"AVOID-CONFLICTS"));
  ui(L"Check9").SetCaption(LangText(L"VERSION3", L"SHOW-GOOD-ONLY"));
  ui(L"Label44").SetCaption(L"");

  const std::wstring background = Os().system->ApplicationFolder() + L"\\program-back.jpg";
  Picture picture = FileExists(background) ? Toolkit().LoadPicture(background) : nullptr;
  if (!picture) {
    MsgBox(L"No background image! Reinstall program!", mb::Critical);
    return false;
  }
  ui.SetBackground(picture);

  if (Setting(L"RunSecondWindow", L"Value") == L"YES") {
    ui(L"Check7").SetValue(1);
    ShowPage(2);
  } else {
    ui(L"Check7").SetValue(0);
    ShowPage(1);
  }
  RestoreExtras();
  RefreshStatistics(*this);
  ui.SetCaption(L"Vantrel " + Env().ProgramVersion + L" " + Lang().LanguageName);
  return true;
}

}  // namespace vantrel
