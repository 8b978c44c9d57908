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
constexpr int kText = SecondForm::kWidthTwips - 2 * kMargin;
constexpr int kButtonWidth = 1815, kButtonHeight = 375, kButtonGap = 120;
// The page's last button sits in the bottom right corner, the others to its left.
constexpr Twips kLastButton{SecondForm::kWidthTwips - kMargin - kButtonWidth,
                            SecondForm::kHeightTwips - kMargin - kButtonHeight, kButtonWidth, kButtonHeight};
constexpr Twips kHeading{kMargin, kMargin, kText, 480};
constexpr int kHeadingPoints = 14;

int Id(const wchar_t* name) { return *second_ids::Find(name); }

Control& Heading(Control& label) {
  label.fontPoints = kHeadingPoints;
  label.bold = true;
  return label;
}

}  // namespace

SecondForm::SecondForm() : ui(L"BRISEN_FORM_2_2", kWidthTwips, kHeightTwips), LangArray(ui, L"LangArray") {
  BuildControls();
  ui.arrayClicks[LangArray.name()] = [this](int i) { LanguageClick(i); };
  Command3->onClick = [this] { OkClick(); };
  Command2->onClick = [this] { SubscribeClick(); };
  Command1->onClick = [this] { ShowProfilePage(); };
  Command8->onClick = [this] { SaveProfileClick(); };
}

void SecondForm::BuildControls() {
  const Twips whole{0, 0, kWidthTwips, kHeightTwips};
  Picture4 = &ui.Add(ControlKind::Container, L"Picture4", Id(L"Picture4"), nullptr, whole);
  CFlag = &ui.Add(ControlKind::Image, L"CFlag", Id(L"CFlag"), Picture4,
                  {kFirstLanguage.left, kFirstLanguage.top - 1380, 1200, 800});
  Command3 = &ui.Add(ControlKind::Button, L"Command3", Id(L"Command3"), Picture4, kLastButton);
  Command3->SetCaption(L"OK");
  // Last of its panel, so that the buttons added at run time follow it and
  // the arrow keys move through all languages as one group.
  Control& english = ui.Add(ControlKind::OptionButton, L"LangArray", Id(L"LangArray"), Picture4, kFirstLanguage, 0);
  english.SetCaption(L"English");
  english.tabOrder = 1;
  Command3->tabOrder = 2;
  Picture4->SetVisible(false);
  BuildSubscriptionPage();
  BuildProfilePage();
}

// Controls are made in the order the Tab key walks them.
void SecondForm::BuildSubscriptionPage() {
  Picture1 = &ui.Add(ControlKind::Container, L"Picture1", Id(L"Picture1"), nullptr, {0, 0, kWidthTwips, kHeightTwips});
  Label3 = &Heading(ui.Add(ControlKind::Label, L"Label3", Id(L"Label3"), Picture1, kHeading));
  Label2 = &ui.Add(ControlKind::Label, L"Label2", Id(L"Label2"), Picture1, {kMargin, 1200, kText, 1200});
  Label1 = &ui.Add(ControlKind::Label, L"Label1", Id(L"Label1"), Picture1, {kMargin, 2640, kText, 300});
  Text1 = &ui.Add(ControlKind::TextBox, L"Text1", Id(L"Text1"), Picture1, {kMargin, 2970, 5400, 345});
  Command2 = &ui.Add(ControlKind::Button, L"Command2", Id(L"Command2"), Picture1,
                     {kLastButton.left - kButtonGap - kButtonWidth, kLastButton.top, kButtonWidth, kButtonHeight});
  Command1 = &ui.Add(ControlKind::Button, L"Command1", Id(L"Command1"), Picture1, kLastButton);
  int order = 0;
  for (Control* c : {Text1, Command2, Command1}) c->tabOrder = ++order;
  Picture1->SetVisible(false);
}

void SecondForm::BuildProfilePage() {
  Picture5 = &ui.Add(ControlKind::Container, L"Picture5", Id(L"Picture5"), nullptr, {0, 0, kWidthTwips, kHeightTwips});
  Label16 = &Heading(ui.Add(ControlKind::Label, L"Label16", Id(L"Label16"), Picture5, kHeading));
  Label4 = &ui.Add(ControlKind::Label, L"Label4", Id(L"Label4"), Picture5, {kMargin, 1200, kText, 1440});
  Check1 = &ui.Add(ControlKind::CheckBox, L"Check1", Id(L"Check1"), Picture5, {kMargin, 2880, kText, 315});
  Command8 = &ui.Add(ControlKind::Button, L"Command8", Id(L"Command8"), Picture5, kLastButton);
  Check1->tabOrder = 1;
  Command8->tabOrder = 2;
  Picture5->SetVisible(false);
}

void SecondForm::Load() {
  for (Control* label : {Label1, Label2, Label3, Label4, Label16}) label->SetFontCharset(Lang().LanguageCharset);
  FillSubscriptionPage();
  FillProfilePage();
  const std::wstring background = Os().system->ApplicationFolder() + L"\\back.jpg";
  if (FileExists(background)) ui.SetBackground(Toolkit().LoadPicture(background));
  ui.SetCaption(L"Vantrel");
  // No warning about the display's scaling: positions in twips follow the
  // display's DPI, so the window looks right at any setting.
  FillLanguagePage();
}

void SecondForm::ShowOnly(Control* page, Control* defaultButton, Control* cancelButton) {
  for (Control* p : {Picture4, Picture1, Picture5}) p->SetVisible(p == page);
  ui.SetDefaultButton(defaultButton);
  ui.SetCancelButton(cancelButton);
  ui.SetVisible(true);
}

void SecondForm::ShowLanguagePage() {
  ShowOnly(Picture4, Command3, nullptr);
  Command3->SetFocus();
}

// Esc declines, as the decline button does.
void SecondForm::ShowSubscriptionPage() {
  ShowOnly(Picture1, Command2, Command1);
  Text1->SetFocus();
}

void SecondForm::ShowProfilePage() {
  ShowOnly(Picture5, Command8, nullptr);
  Check1->SetFocus();
}

}  // namespace vantrel
