// The secondary window `BRISEN_FORM_2_2`: a small window of pages, one shown
// at a time, that is the whole program in a process started with the verb
// "lang" or "subscribe". The language page's OK and the computer-information
// page's button end that process.
#pragma once
#include "app/second/LanguagePage.h"
#include "app/second/ProfilePage.h"
#include "app/second/SecondLayout.h"
#include "app/second/SubscriptionPage.h"
#include "platform/Toolkit.h"

namespace vantrel {

class SecondForm {
 public:
  static constexpr int kWidthTwips = 8880;   // 592 pixels at 96 DPI
  static constexpr int kHeightTwips = 6600;  // 440 pixels at 96 DPI

  SecondForm();

  // The load that every page shares: the pages' texts, background and
  // caption, the stored address and choice, and the language page's buttons.
  void Load();
  // The language page, with the focus on its OK button.
  void ShowLanguagePage();
  // The subscription page, with the focus in the address field.
  void ShowSubscriptionPage();
  // The computer-information page, with the focus on its check box.
  void ShowProfilePage();
  // Closes the window and ends the process.
  void End();

  Form ui;

 private:
  SecondLayout layout_;

 public:
  LanguagePage language;
  SubscriptionPage subscription;
  ProfilePage profile;

 private:
  void ShowOnly(Control& page, Control* defaultButton, Control* cancelButton);
};

}  // namespace vantrel
