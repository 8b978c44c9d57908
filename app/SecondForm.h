// The secondary window `BRISEN_FORM_2_2`: a small window of pages, one shown
// at a time, that is the whole program in a process started with the verb
// "lang" or "subscribe". Its button ends that process.
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

  // The load that every page shares: background, caption, the pages' texts
  // and the language page's buttons.
  void Load();
  // The language page, with the focus on its OK button.
  void ShowLanguagePage();
  void ShowSubscriptionPage();

  Form ui;
  // The language page.
  Control *Picture4 = nullptr, *File1 = nullptr, *CFlag = nullptr, *Command3 = nullptr;
  ControlArray LangArray;
  // The subscription page: an empty panel until the subscription and
  // computer-information pages are built.
  Control* Picture1 = nullptr;

 private:
  void BuildControls();
  void ShowOnly(Control* page);
  void FillLanguagePage();
  void LanguageClick(int index);
  void OkClick();
};

}  // namespace vantrel
