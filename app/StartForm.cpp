// The main window's start-up sequence.
#include "app/StartForm.h"

#include "app/Captions.h"
#include "app/clean/CleanArguments.h"
#include "app/StartControlIds.h"
#include "lang/Language.h"
#include "maker/ErrorReport.h"
#include "maker/UpdateCheck.h"
#include "platform/Platform.h"
#include "services/Environment.h"
#include "maker/ErrorReport.h"
#include "services/Paths.h"
#include "maker/UpdateCheck.h"

namespace vantrel {

StartForm::StartForm()
    : ui(L"Start", kWidthTwips, kHeightTwips),
      layout_(BuildStartLayout(ui)),
      wizard(*this, layout_.pages, layout_.buttons, layout_.startRun),
      welcome(layout_.welcome, choices, wizard),
      history(layout_.history, choices),
      disks(layout_.disks, layout_.icons, history, choices, wizard),
      modes(layout_.modes, choices),
      method(layout_.method, choices),
      review(layout_.review),
      finish(layout_.finish, layout_.icons, wizard),
      run(layout_.run, layout_.icons, choices, wizard, finish) {
  choices.onUnstored = [this] { ChoiceUnstored(); };
}

void StartForm::ChoiceUnstored() {
  if (toldUnstored_) return;
  toldUnstored_ = true;
  MsgBox(LangText(L"VERSION3", L"CHOICE-NOT-STORED"), mb::Exclamation);
}

Handover StartForm::Load(const std::wstring& commandLine) {
  InitEnvironment();
  if (!InitLanguage()) return Handover::End;
  // An unattended run asks nothing before it starts: the error-report offer
  // and the update reminder wait for the next start of the wizard.
  if (IsCleanVerb(commandLine)) return Handover::Clean;
  OfferErrorReport();
  UpdateCheckReminder(true);
  if (const Handover verb = DispatchVerb(commandLine); verb != Handover::Wizard) return verb;

  for (Control* text : layout_.languageFont) text->SetFontCharset(Lang().LanguageCharset);
  SetCaptionsFromLanguage(ui, start_ids::kControls);

  const std::wstring background = Os().system->ApplicationFolder() + L"\\program-back.jpg";
  Picture picture = FileExists(background) ? Toolkit().LoadPicture(background) : nullptr;
  if (!picture) {
    MsgBox(L"No background image! Reinstall program!", mb::Critical);
    return Handover::End;
  }
  ui.SetBackground(picture);

  choices.Load();
  welcome.Draw();
  history.Draw();
  modes.Draw();
  method.Draw();
  run.Draw();
  wizard.ShowPage(choices->skipWelcome ? 2 : 1);
  history.Refresh();
  ui.SetCaption(L"Vantrel " + Env().ProgramVersion + L" " + Lang().LanguageName);
  return Handover::Wizard;
}

}  // namespace vantrel
