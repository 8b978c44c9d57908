#include "app/pages/WelcomePage.h"

#include "app/CommandLine.h"
#include "app/ControlArray.h"
#include "app/Wizard.h"
#include "lang/Language.h"

namespace vantrel {

WelcomePage::WelcomePage(const WelcomeControls& controls, ChoicesModel& choices, Wizard& wizard)
    : WelcomeControls(controls), choices_(choices) {
  skipWelcome.onClick = [this] { choices_.Set(&Choices::skipWelcome, Ticked(skipWelcome)); };
  // The language is chosen in a process of its own; this one ends.
  languageLink.onClick = [&wizard] {
    if (RestartWithVerb(L"lang")) wizard.CloseAndEnd();
  };
}

void WelcomePage::Draw() {
  languageLink.SetCaption(Lang().LanguageName);
  skipWelcome.SetValue(choices_->skipWelcome ? 1 : 0);
}

}  // namespace vantrel
