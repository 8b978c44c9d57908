// The controls of the secondary window, made where a window designer would
// have placed them and handed to its pages by what they are.
#pragma once
#include <vector>

#include "app/second/LanguagePage.h"
#include "app/second/ProfilePage.h"
#include "app/second/SubscriptionPage.h"

namespace vantrel {

struct SecondLayout {
  LanguageControls language;
  SubscriptionControls subscription;
  ProfileControls profile;
  // The texts that take the language's character set.
  std::vector<Control*> languageFont;
};

SecondLayout BuildSecondLayout(Form& form);

}  // namespace vantrel
