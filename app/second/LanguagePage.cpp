#include "app/second/LanguagePage.h"

#include "app/second/SecondForm.h"
#include "lang/Language.h"
#include "lang/LanguageFiles.h"
#include "services/Paths.h"
#include "services/Settings.h"

namespace vantrel {

LanguagePage::LanguagePage(const LanguageControls& controls, SecondForm& form)
    : LanguageControls(controls), form_(form) {
  page.form().arrayClicks[languages.name()] = [this](int i) { Choose(i); };
  ok.onClick = [this] { Ok(); };
}

// Every language but English gets a button; the buttons run down a column
// under or beside "English", and the first column break comes after a third
// of the other files, the second after two thirds.
void LanguagePage::Fill() {
  const std::vector<std::wstring> files = LanguageFiles();
  const int k = static_cast<int>(files.size()) - 1;
  const Twips first = languages[0].Position();
  bool selected = false;
  int n = 0;
  for (const std::wstring& file : files) {
    const std::wstring name = file.substr(0, file.size() - 4);
    if (name == L"English") continue;
    ++n;
    Control* button = languages.Find(n) ? nullptr : languages.Get(n);
    if (!button) continue;  // already there: the page is filled once per window
    button->SetCaption(name);
    names_.push_back(name);
    Twips at{0, first.top, first.width, first.height};
    if (n == k / 3 + 1) {
      at.left = first.left + first.width + 400;
    } else if (n == 2 * k / 3 + 1) {
      at.left = first.left + 2 * first.width + 800;
    } else {
      const Twips& above = languages[n - 1].Position();
      at.left = above.left;
      at.top = above.top + first.height + 60;
    }
    button->Move(at);
    button->tabOrder = languages[0].tabOrder;
    button->SetVisible(true);
    const bool current = SameLanguageName(name, Lang().LanguageName);
    button->SetValue(current ? 1 : 0);
    selected = selected || current;
  }
  languages[0].SetCaption(L"English");
  if (!selected) languages[0].SetValue(1);
}

void LanguagePage::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(names_.size())) return;
  chosen_ = index;
  const std::wstring flagFile = Lang().LanguageFolder + L"\\" + names_[index] + L".jpg";
  flag.SetPicture(FileExists(flagFile) ? Toolkit().LoadPicture(flagFile) : nullptr);
}

void LanguagePage::Ok() {
  WriteSetting(kProgramSettings, L"Settings", L"Language", names_[chosen_]);
  Lang().LanguageName = names_[chosen_];
  form_.End();
}

}  // namespace vantrel
