// Where every control of the secondary window sits, in twips, under the
// names and ids of its stable-id table. Each page is a panel as large as
// the window; one shows at a time.
#include "app/second/SecondLayout.h"

#include "app/SecondControlIds.h"
#include "app/second/SecondForm.h"

namespace vantrel {

namespace {

constexpr int kWidth = SecondForm::kWidthTwips, kHeight = SecondForm::kHeightTwips;
constexpr int kMargin = 480;
constexpr int kText = kWidth - 2 * kMargin;
constexpr int kButtonWidth = 1815, kButtonHeight = 375, kButtonGap = 120;
// The page's last button sits in the bottom right corner, the others to its left.
constexpr Twips kLastButton{kWidth - kMargin - kButtonWidth, kHeight - kMargin - kButtonHeight, kButtonWidth,
                            kButtonHeight};
constexpr Twips kHeading{kMargin, kMargin, kText, 480};
// Where "English", the first language button, stands (and the size of every
// language button).
constexpr Twips kFirstLanguage{1320, 2400, 1815, 255};

struct Builder {
  Form& form;
  Control* page = nullptr;

  Control& Add(ControlKind kind, const wchar_t* name, Twips at, int index = -1) {
    return form.Add(kind, name, *second_ids::Find(name), page, at, index);
  }
  // A page: hidden until the window shows it.
  Control& Page(const wchar_t* name) {
    page = nullptr;
    Control& c = Add(ControlKind::Container, name, {0, 0, kWidth, kHeight});
    c.SetVisible(false);
    page = &c;
    return c;
  }
  Control& Heading(const wchar_t* name) {
    Control& c = Add(ControlKind::Label, name, kHeading);
    c.fontPoints = 14;
    c.bold = true;
    return c;
  }
};

// Controls are made in the order the Tab key walks them.
void TabOrder(std::initializer_list<Control*> controls) {
  int order = 0;
  for (Control* c : controls) c->tabOrder = ++order;
}

LanguageControls Language(Builder& b) {
  Control& page = b.Page(L"Picture4");
  Control& flag = b.Add(ControlKind::Image, L"CFlag", {kFirstLanguage.left, kFirstLanguage.top - 1380, 1200, 800});
  Control& ok = b.Add(ControlKind::Button, L"Command3", kLastButton);
  ok.SetCaption(L"OK");
  // Last of its panel, so that the buttons added at run time follow it and
  // the arrow keys move through all languages as one group.
  Control& english = b.Add(ControlKind::OptionButton, L"LangArray", kFirstLanguage, 0);
  english.SetCaption(L"English");
  TabOrder({&english, &ok});
  return {page, flag, ok, ControlArray(b.form, L"LangArray")};
}

SubscriptionControls Subscription(Builder& b) {
  SubscriptionControls c{.page = b.Page(L"Picture1"),
                         .heading = b.Heading(L"Label3"),
                         .explanation = b.Add(ControlKind::Label, L"Label2", {kMargin, 1200, kText, 1200}),
                         .prompt = b.Add(ControlKind::Label, L"Label1", {kMargin, 2640, kText, 300}),
                         .address = b.Add(ControlKind::TextBox, L"Text1", {kMargin, 2970, 5400, 345}),
                         .subscribe = b.Add(ControlKind::Button, L"Command2",
                                            {kLastButton.left - kButtonGap - kButtonWidth, kLastButton.top,
                                             kButtonWidth, kButtonHeight}),
                         .decline = b.Add(ControlKind::Button, L"Command1", kLastButton)};
  TabOrder({&c.address, &c.subscribe, &c.decline});
  return c;
}

ProfileControls Profile(Builder& b) {
  ProfileControls c{.page = b.Page(L"Picture5"),
                    .heading = b.Heading(L"Label16"),
                    .explanation = b.Add(ControlKind::Label, L"Label4", {kMargin, 1200, kText, 1440}),
                    .join = b.Add(ControlKind::CheckBox, L"Check1", {kMargin, 2880, kText, 315}),
                    .save = b.Add(ControlKind::Button, L"Command8", kLastButton)};
  TabOrder({&c.join, &c.save});
  return c;
}

}  // namespace

SecondLayout BuildSecondLayout(Form& form) {
  Builder b{form};
  SecondLayout layout{.language = Language(b), .subscription = Subscription(b), .profile = Profile(b), .languageFont = {}};
  // On the pages of the subscription and the profile: buttons, the check
  // box and the input field keep their own fonts.
  layout.languageFont = {&layout.subscription.prompt, &layout.subscription.explanation, &layout.subscription.heading,
                         &layout.profile.explanation, &layout.profile.heading};
  return layout;
}

}  // namespace vantrel
