// The secondary window's language page: one option button per installed
// language file in three columns, the flag of the language clicked last, and
// OK, which stores the choice and ends the process so that the next start
// speaks the new language.
#pragma once
#include <string>
#include <vector>

#include "app/ControlArray.h"

namespace vantrel {

class SecondForm;

struct LanguageControls {
  Control &page, &flag, &ok;
  // Element 0 is "English"; the other languages are made at run time.
  ControlArray languages;
};

class LanguagePage : public LanguageControls {
 public:
  LanguagePage(const LanguageControls& controls, SecondForm& form);
  // One button per language file, the current language's selected.
  void Fill();

 private:
  // The button clicked (or selected) is the choice; its flag shows.
  void Choose(int index);
  void Ok();

  SecondForm& form_;
  std::vector<std::wstring> names_{L"English"};  // by button
  int chosen_ = 0;
};

}  // namespace vantrel
