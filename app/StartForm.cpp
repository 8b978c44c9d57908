// The main window's start-up sequence.
#include "app/StartForm.h"

#include "app/Choices.h"
#include "app/HistoryView.h"
#include "lang/Language.h"
#include "maker/ErrorReport.h"
#include "maker/UpdateCheck.h"
#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/NumericText.h"
#include "services/Paths.h"
#include "system/PagingFile.h"

namespace vantrel {

StartForm::StartForm() : ui(L"Start", kWidthTwips, kHeightTwips), c(ui) {
  BuildControls();
  WireChoices();
}

void StartForm::SetCaptions() {
  // Controls whose caption key is their own name in upper case.
  for (Control* own : {c.Command1, c.Command2, c.Label8,  c.Label3,  c.Label5,  c.Check5,  c.Check6,  c.Label7,
                       c.Label4,   c.Label37,  c.Label38, c.Check4,  c.Option1, c.Option2, c.Option3, c.Option4,
                       c.Option5,  c.Label6,   c.Label16, c.Label36, c.Label39, c.Label34, c.Check1,  c.Check3,
                       c.Command4, c.Label1,   c.Label2,  c.Label41, c.Label46}) {
    own->SetCaption(LangText(L"INTERFACE", AsciiUpper(own->name())));
  }
  c.Label23->SetCaption(LangText(L"INTERFACE", L"COMMAND5"));
  c.Check2->SetCaption(LangText(L"INTERFACE", L"PAUSE"));
  c.Label43->SetCaption(LangText(L"INTERFACE", L"COMMAND7"));
  // The site link has no text of its own in the language files; the name of
  // the site's shortcut says the same in every language.
  c.Label24->SetCaption(LangText(L"SHORTCUTS", L"TOSITE"));
  c.Label12->SetCaption(Lang().LanguageName);
  const std::pair<Control*, const wchar_t*> version3[] = {
      {c.Check7, L"DONTSHOWINTHEFUTURE"}, {c.Label29, L"STATISTICS"},   {c.Label15, L"WHICHMODE"},
      {c.Option6, L"MODE1"},              {c.Option7, L"MODE2"},        {c.Label26, L"MODE1-INFO"},
      {c.Label27, L"MODE2-INFO"},         {c.Label11, L"NTFS-MODE-REVIEW"}, {c.Label25, L"NTFS-MODE"},
      {c.Label28, L"NTFS-MODE-INFO"},     {c.Option8, L"NTFS-MODE-1"},  {c.Option9, L"NTFS-MODE-2"},
      {c.Option10, L"NTFS-MODE-3"}};
  for (const auto& [control, key] : version3) control->SetCaption(LangText(L"VERSION3", key));
  for (int step = 0; step < 4; ++step)
    c.StepInfo[step].SetCaption(LangText(L"VERSION3", L"STEP" + std::to_wstring(step + 1) + L"-TITLE"));
}

void StartForm::RestoreModes() {
  // An odd stored value selects no option, and the run reads it as the first mode.
  if (const auto ntfs = choices::NtfsAsStored())
    (*ntfs == NtfsMode::Deepest ? c.Option10 : *ntfs == NtfsMode::Thorough ? c.Option9 : c.Option8)->SetValue(1);
  if (const auto cleaning = choices::CleaningAsStored())
    (*cleaning == CleaningMode::FreeSpace ? c.Option7 : c.Option6)->SetValue(1);
  if (choices::Get(choices::Flag::ShowGoodOnly)) c.Check9->SetValue(1);
}

void StartForm::RestoreExtras() {
  Control* const methods[] = {c.Option1, c.Option2, c.Option3, c.Option4, c.Option5};
  methods[static_cast<int>(choices::Method().value_or(OverwriteMethod::Spaces)) - 1]->SetValue(1);
  if (choices::Get(choices::Flag::EmptyRecycleBin)) c.Check4->SetValue(1);
  c.Check3->SetValue(choices::Get(choices::Flag::PlaySound) ? 1 : 0);
  // Offered on every version: the run keeps any system awake, not only those
  // that still ask the windows before they suspend.
  c.Check5->SetValue(choices::Get(choices::Flag::PreventStandby) ? 1 : 0);
  c.Check6->SetValue(PagingFileClearedAtShutdown() ? 1 : 0);
}

Handover StartForm::Load(const std::wstring& commandLine) {
  InitEnvironment();
  if (!InitLanguage()) return Handover::End;
  OfferErrorReport();
  UpdateCheckReminder(true);
  if (const Handover verb = DispatchVerb(commandLine); verb != Handover::Wizard) return verb;

  // Labels (and the list view) take the language's character set; buttons,
  // check boxes and options keep their own.
  for (Control* label : {c.Label8,  c.Label21, c.Label3,  c.Label5,  c.Label7,  c.Label23, c.Label4,  c.Label37,
                         c.Label38, c.Label18, c.Label20, c.Label40, c.Label6,  c.Label16, c.Label36, c.Label39,
                         c.Label34, c.Label9,  c.status,  c.Label44, c.Label1,  c.Label2,  c.Label41, c.Label43,
                         c.Label46, c.Label22, c.Label15, c.Label26, c.Label27, c.Label25, c.Label28, c.Label29,
                         c.Label13, c.Label10, c.Label14, c.Label11, c.Label19, c.Label33, c.ListView1})
    label->SetFontCharset(Lang().LanguageCharset);
  for (int step = 0; step < 4; ++step) c.StepInfo[step].SetFontCharset(Lang().LanguageCharset);
  SetCaptions();
  RestoreModes();
  c.Label22->SetCaption(LangText(L"VERSION3", L"CLEAR-STATS"));
  c.Label33->SetCaption(LangText(L"VERSION3", L"AVOID-CONFLICTS"));
  c.Check9->SetCaption(LangText(L"VERSION3", L"SHOW-GOOD-ONLY"));
  c.Label44->SetCaption(L"");

  const std::wstring background = Os().system->ApplicationFolder() + L"\\program-back.jpg";
  Picture picture = FileExists(background) ? Toolkit().LoadPicture(background) : nullptr;
  if (!picture) {
    MsgBox(L"No background image! Reinstall program!", mb::Critical);
    return Handover::End;
  }
  ui.SetBackground(picture);

  if (choices::Get(choices::Flag::SkipWelcome)) {
    c.Check7->SetValue(1);
    ShowPage(2);
  } else {
    c.Check7->SetValue(0);
    ShowPage(1);
  }
  RestoreExtras();
  RefreshStatistics(*this);
  ui.SetCaption(L"Vantrel " + Env().ProgramVersion + L" " + Lang().LanguageName);
  return Handover::Wizard;
}

}  // namespace vantrel
