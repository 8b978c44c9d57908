// The secondary window `BRISEN_FORM_2_2`: a small window of pages, one shown
// at a time, that is the whole program in a process started with the verb
// "lang" or "subscribe". The language page's OK and the computer-information
// page's button end that process.
#pragma once
#include "app/StartControls.h"
#include "platform/Toolkit.h"

namespace vantrel {

class SecondForm {
 public:
  static constexpr int kWidthTwips = 8880;   // 592 pixels at 96 DPI
  static constexpr int kHeightTwips = 6600;  // 440 pixels at 96 DPI
  // Where "English", the first language button, stands on the language page
  // (and the size of every language button).
  static constexpr Twips kFirstLanguage{1320, 2400, 1815, 255};

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

  Form ui;
  // The language page.
  Control *Picture4 = nullptr, *CFlag = nullptr, *Command3 = nullptr;
  ControlArray LangArray;
  // The subscription page: heading, explanation, prompt, address field,
  // subscribe and decline.
  Control *Picture1 = nullptr, *Label3 = nullptr, *Label2 = nullptr, *Label1 = nullptr, *Text1 = nullptr,
          *Command2 = nullptr, *Command1 = nullptr;
  // The computer-information page: heading, explanation, the programme's
  // check box and the button that saves and ends.
  Control *Picture5 = nullptr, *Label16 = nullptr, *Label4 = nullptr, *Check1 = nullptr, *Command8 = nullptr;

 private:
  void BuildControls();
  void BuildSubscriptionPage();
  void BuildProfilePage();
  void ShowOnly(Control* page, Control* defaultButton, Control* cancelButton);
  void FillLanguagePage();
  void LanguageClick(int index);
  void OkClick();
  void FillSubscriptionPage();
  void SubscribeClick();
  void FillProfilePage();
  void SaveProfileClick();
};

}  // namespace vantrel
