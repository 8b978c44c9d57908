// The secondary window's language page: one option button per installed
// language file in three columns, the flag of the language clicked last, and
// OK, which stores the choice and ends the process so that the next start
// speaks the new language.
#include "app/SecondForm.h"
#include "lang/Language.h"
#include "lang/LanguageFiles.h"
#include "services/Paths.h"
#include "services/Settings.h"

namespace vantrel {

// Every language but English gets a button; the buttons run down a column
// under or beside "English", and the first column break comes after a third
// of the other files, the second after two thirds.
void SecondForm::FillLanguagePage() {
  const std::vector<std::wstring> files = LanguageFiles();
  const int k = static_cast<int>(files.size()) - 1;
  const Twips first = LangArray[0].Position();
  bool selected = false;
  int n = 0;
  for (const std::wstring& file : files) {
    const std::wstring name = file.substr(0, file.size() - 4);
    if (name == L"English") continue;
    ++n;
    Control* button = LangArray.Load(n);
    if (!button) continue;  // already there: the page is filled once per window
    button->SetCaption(name);
    Twips at{0, first.top, first.width, first.height};
    if (n == k / 3 + 1) {
      at.left = first.left + first.width + 400;
    } else if (n == 2 * k / 3 + 1) {
      at.left = first.left + 2 * first.width + 800;
    } else {
      const Twips& above = LangArray[n - 1].Position();
      at.left = above.left;
      at.top = above.top + first.height + 60;
    }
    button->Move(at);
    button->tabOrder = LangArray[0].tabOrder;
    button->SetVisible(true);
    if (SameLanguageName(name, Lang().LanguageName)) {
      button->SetValue(1);
      selected = true;
    } else {
      button->SetValue(0);
    }
  }
  LangArray[0].SetCaption(L"English");
  if (!selected) LangArray[0].SetValue(1);
}

void SecondForm::LanguageClick(int index) {
  const std::wstring flag = Lang().LanguageFolder + L"\\" + LangArray[index].Caption() + L".jpg";
  CFlag->SetPicture(FileExists(flag) ? Toolkit().LoadPicture(flag) : nullptr);
}

void SecondForm::OkClick() {
  for (int i = 0; i <= LangArray.UBound(); ++i) {
    const Control* button = LangArray.Find(i);
    if (!button || !button->Value()) continue;
    WriteSetting(kProgramSettings, L"Settings", L"Language", button->Caption());
    Lang().LanguageName = button->Caption();
  }
  ui.Close(kUnloadByProgram);
  Toolkit().EndProgram();
}

}  // namespace vantrel
