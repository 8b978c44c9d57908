// The secondary window: the load its pages share, and which page it shows.
#include "app/second/SecondForm.h"

#include "app/Captions.h"
#include "app/SecondControlIds.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/Paths.h"

namespace vantrel {

SecondForm::SecondForm()
    : ui(L"BRISEN_FORM_2_2", kWidthTwips, kHeightTwips),
      layout_(BuildSecondLayout(ui)),
      language(layout_.language, *this),
      subscription(layout_.subscription, *this),
      profile(layout_.profile, *this) {}

void SecondForm::Load() {
  for (Control* text : layout_.languageFont) text->SetFontCharset(Lang().LanguageCharset);
  SetCaptionsFromLanguage(ui, second_ids::kControls);
  subscription.Fill();
  profile.Fill();
  const std::wstring background = Os().system->ApplicationFolder() + L"\\back.jpg";
  if (FileExists(background)) ui.SetBackground(Toolkit().LoadPicture(background));
  ui.SetCaption(L"Vantrel");
  // No warning about the display's scaling: positions in twips follow the
  // display's DPI, so the window looks right at any setting.
  language.Fill();
}

void SecondForm::ShowOnly(Control& page, Control* defaultButton, Control* cancelButton) {
  for (Control* p : {&language.page, &subscription.page, &profile.page}) p->SetVisible(p == &page);
  ui.SetDefaultButton(defaultButton);
  ui.SetCancelButton(cancelButton);
  ui.SetVisible(true);
}

void SecondForm::ShowLanguagePage() {
  ShowOnly(language.page, &language.ok, nullptr);
  language.ok.SetFocus();
}

// Esc declines, as the decline button does.
void SecondForm::ShowSubscriptionPage() {
  ShowOnly(subscription.page, &subscription.subscribe, &subscription.decline);
  subscription.address.SetFocus();
}

void SecondForm::ShowProfilePage() {
  ShowOnly(profile.page, &profile.save, nullptr);
  profile.join.SetFocus();
}

void SecondForm::End() {
  ui.Close(kUnloadByProgram);
  Toolkit().EndProgram();
}

}  // namespace vantrel
