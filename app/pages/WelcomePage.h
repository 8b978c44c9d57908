// Page 1, the welcome: what the program does, the language it speaks (a
// link that starts the language choice) and the box that skips this page
// from the next start on.
#pragma once
#include "app/ChoicesModel.h"
#include "platform/Toolkit.h"

namespace vantrel {

class Wizard;

struct WelcomeControls {
  Control &title, &introduction, &languagePrompt, &languageLink, &skipWelcome;
};

class WelcomePage : public WelcomeControls {
 public:
  WelcomePage(const WelcomeControls& controls, ChoicesModel& choices, Wizard& wizard);
  void Draw();

 private:
  ChoicesModel& choices_;
};

}  // namespace vantrel
