// The secondary window: its controls, the load its pages share, and which
// page it shows.
#include "app/SecondForm.h"

#include "app/SecondControlIds.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/Paths.h"

namespace vantrel {

namespace {

constexpr int kMargin = 480;

int Id(const wchar_t* name) { return *second_ids::Find(name); }

}  // namespace

SecondForm::SecondForm() : ui(L"BRISEN_FORM_2_2", kWidthTwips, kHeightTwips), LangArray(ui, L"LangArray") {
  BuildControls();
  ui.arrayClicks[LangArray.name()] = [this](int i) { LanguageClick(i); };
  Command3->onClick = [this] { OkClick(); };
}

void SecondForm::BuildControls() {
  const Twips whole{0, 0, kWidthTwips, kHeightTwips};
  Picture4 = &ui.Add(ControlKind::Container, L"Picture4", Id(L"Picture4"), nullptr, whole);
  File1 = &ui.Add(ControlKind::FileList, L"File1", Id(L"File1"), Picture4, {0, 0, 255, 255});
  File1->SetVisible(false);
  CFlag = &ui.Add(ControlKind::Image, L"CFlag", Id(L"CFlag"), Picture4,
                  {kFirstLanguage.left, kFirstLanguage.top - 1380, 1200, 800});
  Command3 = &ui.Add(ControlKind::Button, L"Command3", Id(L"Command3"), Picture4,
                     {kWidthTwips - kMargin - 1215, kHeightTwips - kMargin - 375, 1215, 375});
  Command3->SetCaption(L"OK");
  ui.defaultButton = Command3;
  // Last of its panel, so that the buttons added at run time follow it and
  // the arrow keys move through all languages as one group.
  Control& english = ui.Add(ControlKind::OptionButton, L"LangArray", Id(L"LangArray"), Picture4, kFirstLanguage, 0);
  english.SetCaption(L"English");
  english.tabOrder = 1;
  Command3->tabOrder = 2;
  Picture4->SetVisible(false);

  Picture1 = &ui.Add(ControlKind::Container, L"Picture1", Id(L"Picture1"), nullptr, whole);
  Picture1->SetVisible(false);
}

void SecondForm::Load() {
  // The subscription page and the computer-information page, when they are
  // built, give their labels the language's character set, fill their
  // captions and put the stored address into the field here.
  const std::wstring background = Os().system->ApplicationFolder() + L"\\back.jpg";
  if (FileExists(background)) ui.SetBackground(Toolkit().LoadPicture(background));
  ui.SetCaption(L"Vantrel");
  // No warning about the display's scaling: positions in twips follow the
  // display's DPI, so the window looks right at any setting.
  FillLanguagePage();
}

void SecondForm::ShowOnly(Control* page) {
  for (Control* p : {Picture4, Picture1}) p->SetVisible(p == page);
  ui.SetVisible(true);
}

void SecondForm::ShowLanguagePage() {
  ShowOnly(Picture4);
  Command3->SetFocus();
}

void SecondForm::ShowSubscriptionPage() { ShowOnly(Picture1); }

}  // namespace vantrel
