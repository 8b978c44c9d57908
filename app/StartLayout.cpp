// Where every control of the main window sits, in twips (1440 per inch), as
// a window designer would have placed them, under the names and ids of the
// stable-id table. Positions inside a page or inside a group are relative
// to that container.
#include "app/StartLayout.h"

#include "app/StartControlIds.h"
#include "app/StartForm.h"

namespace vantrel {

namespace {

constexpr int kWidth = StartForm::kWidthTwips;
constexpr int kPageHeight = 6600;
constexpr int kMargin = 480;
constexpr int kText = kWidth - 2 * kMargin;
// The run history below the disk panel; the disk page moves it down for
// each further row of disks.
constexpr int kHistoryTop = 2520, kHistoryHeight = 3000, kLineAbove = 120;

enum class Font { Language, Own };

struct Builder {
  explicit Builder(Form& f) : form(f) {}
  Form& form;
  std::vector<Control*> pages;
  Control* page = nullptr;  // the container of the controls made next
  int order = 0;
  std::vector<Control*> languageFont;

  Control& Add(ControlKind kind, const wchar_t* name, Twips at, int index = -1) {
    Control& c = form.Add(kind, name, *start_ids::Find(name, index < 0 ? 0 : index), page, at, index);
    c.tabOrder = ++order;
    return c;
  }
  // Element 0 of a control array; the others are made like it at run time.
  ControlArray Array(ControlKind kind, const wchar_t* name, Twips at) {
    Add(kind, name, at, 0);
    return ControlArray(form, name);
  }
  Control& Label(const wchar_t* name, Twips at, Font font = Font::Language) {
    Control& c = Add(ControlKind::Label, name, at);
    if (font == Font::Language) languageFont.push_back(&c);
    return c;
  }
  Control& Title(const wchar_t* name, Twips at) {
    Control& c = Label(name, at);
    c.fontPoints = 14;
    c.bold = true;
    return c;
  }
  Control& Heading(const wchar_t* name, Twips at) {
    Control& c = Label(name, at);
    c.bold = true;
    return c;
  }
  Control& Link(const wchar_t* name, Twips at, Font font = Font::Language) {
    Control& c = Add(ControlKind::LinkLabel, name, at);
    if (font == Font::Language) languageFont.push_back(&c);
    return c;
  }
  Control& Check(const wchar_t* name, Twips at) { return Add(ControlKind::CheckBox, name, at); }
  Control& Option(const wchar_t* name, Twips at) { return Add(ControlKind::OptionButton, name, at); }
  Control& Hidden(ControlKind kind, const wchar_t* name, Twips at = {0, 0, 255, 255}) {
    Control& c = Add(kind, name, at);
    c.SetVisible(false);
    return c;
  }
  // A picture holder: a hidden image showing a picture the program carries.
  Control& Icon(const wchar_t* name) {
    Control& c = Hidden(ControlKind::Image, name);
    c.SetPicture(Toolkit().ResourcePicture(name));
    return c;
  }
  // The controls made after a group go inside it.
  Control& Group(const wchar_t* name, Twips at) {
    Control& c = Add(ControlKind::Container, name, at);
    page = &c;
    return c;
  }
  void OnPage(int n) { page = pages[n]; }
};

std::vector<Control*> Pages(Builder& b) {
  Control& none = b.Add(ControlKind::Container, L"win", {0, 0, kWidth, kPageHeight}, 0);
  none.SetVisible(false);
  std::vector<Control*> pages{&none};
  for (int page = 1; page <= 7; ++page) {
    Control* p = b.form.Load(L"win", page);
    p->Move({0, 0, kWidth, kPageHeight});
    pages.push_back(p);
  }
  b.pages = pages;
  return pages;
}

WelcomeControls Welcome(Builder& b) {
  b.OnPage(1);
  return {.title = b.Title(L"Label1", {kMargin, 360, kText, 480}),
          .introduction = b.Label(L"Label2", {kMargin, 1080, kText, 2400}),
          .languagePrompt = b.Label(L"Label41", {kMargin, 3840, 2880, 300}),
          .languageLink = b.Link(L"Label12", {kMargin + 2940, 3840, 3000, 300}, Font::Own),
          .skipWelcome = b.Check(L"Check7", {kMargin, 6000, kText, 315})};
}

// The first slot of the disk panel; further slots are copies one step to
// the right.
DiskControls Disks(Builder& b) {
  b.OnPage(2);
  Control& title = b.Title(L"Label3", {kMargin, 300, kText, 420});
  Control& hint = b.Label(L"Label5", {kMargin, 720, kText, 420});
  ControlArray letters = b.Array(ControlKind::Label, L"DiskLabel", {480, 1200, 255, 375});
  letters[0].fontPoints = 12;
  letters[0].bold = true;
  ControlArray marks = b.Array(ControlKind::Image, L"DiskImageSel", {750, 1320, 255, 255});
  ControlArray kinds = b.Array(ControlKind::Image, L"DiskImage", {360, 1680, 615, 615});
  kinds[0].focusable = true;  // the slot the keyboard chooses with
  ControlArray boxes = b.Array(ControlKind::CheckBox, L"DiskSelect", {6960, 120, 255, 255});
  boxes[0].SetVisible(false);
  return {title, hint, letters, marks, kinds, boxes, b.form.AddTimer(L"DiskListRefresher", 500)};
}

Icons IconHolders(Builder& b) {
  return {.ok = b.Icon(L"IconOK"),
          .okGray = b.Icon(L"IconOKgray"),
          .paused = b.Icon(L"IconPAUSE"),
          .pending = b.Icon(L"IconPEND"),
          .error = b.Icon(L"IconERROR"),
          .current = b.Icon(L"IconCURR"),
          .hardDisk = b.Icon(L"DiskHDD"),
          .flash = b.Icon(L"DiskFlash"),
          .externalDisk = b.Icon(L"DiskEHDD")};
}

// The history shows once the log gives it rows.
HistoryControls History(Builder& b) {
  HistoryControls c{.separator = b.Hidden(ControlKind::Line, L"Line1", {kMargin, kHistoryTop - kLineAbove, kText, 30}),
                    .title = b.Heading(L"Label29", {kMargin, kHistoryTop, kText, 300}),
                    .list = b.Hidden(ControlKind::ListView, L"ListView1",
                                     {kMargin, kHistoryTop + 360, kText, kHistoryHeight}),
                    .clear = b.Link(L"Label22", {kMargin, 6060, 3600, 300}),
                    .completedOnly = b.Check(L"Check9", {kMargin + 4800, 6040, kText - 4800, 315})};
  c.title.SetVisible(false);
  c.clear.SetVisible(false);
  b.languageFont.push_back(&c.list);
  return c;
}

ModeControls Modes(Builder& b) {
  b.OnPage(3);
  return {.title = b.Title(L"Label15", {kMargin, 300, kText, 420}),
          .quick = b.Option(L"Option6", {kMargin, 900, kText, 315}),
          .quickInfo = b.Label(L"Label26", {kMargin + 360, 1230, kText - 360, 600}),
          .full = b.Option(L"Option7", {kMargin, 1920, kText, 315}),
          .fullInfo = b.Label(L"Label27", {kMargin + 360, 2250, kText - 360, 600}),
          .recordsTitle = b.Heading(L"Label25", {kMargin, 3120, kText, 300}),
          .recordsInfo = b.Label(L"Label28", {kMargin, 3450, kText, 780}),
          .recordsGroup = b.Group(L"Picture1", {kMargin, 4320, kText, 1200}),
          .normal = b.Option(L"Option8", {360, 60, kText - 480, 315}),
          .thorough = b.Option(L"Option9", {360, 440, kText - 480, 315}),
          .maximum = b.Option(L"Option10", {360, 820, kText - 480, 315})};
}

MethodControls Method(Builder& b) {
  b.OnPage(4);
  auto option = [&](const wchar_t* name, int i) -> Control& { return b.Option(name, {kMargin, 860 + i * 350, kText, 315}); };
  return {.title = b.Title(L"Label4", {kMargin, 300, kText, 420}),
          .randomCharacters = option(L"Option1", 0),
          .spaces = option(L"Option2", 1),
          .randomDigits = option(L"Option3", 2),
          .gutmann = option(L"Option4", 3),
          .dod = option(L"Option5", 4),
          .binTitle = b.Heading(L"Label37", {kMargin, 2760, kText, 300}),
          .binInfo = b.Label(L"Label38", {kMargin, 3060, kText, 420}),
          .emptyBin = b.Check(L"Check4", {kMargin, 3480, kText, 315}),
          .pagingFile = b.Check(L"Check6", {kMargin, 3900, kText, 315}),
          .pagingInfo = b.Label(L"Label7", {kMargin + 360, 4230, kText - 360, 600}),
          .preventStandby = b.Check(L"Check5", {kMargin, 4920, kText, 315}),
          .folderNames = b.Check(L"Check10", {kMargin, 5280, kText, 315}),
          .remembered = b.Label(L"Label23", {kMargin, 5700, kText, 600})};
}

// Rows of a heading and its value.
ReviewControls Review(Builder& b) {
  b.OnPage(5);
  auto heading = [&](const wchar_t* name, int top, int height) -> Control& {
    return b.Heading(name, {kMargin, top, 2880, height});
  };
  auto value = [&](const wchar_t* name, int top, int height) -> Control& {
    return b.Label(name, {kMargin + 3000, top, kText - 3000, height});
  };
  return {.title = b.Title(L"Label6", {kMargin, 300, kText, 420}),
          .disksTitle = heading(L"Label16", 1020, 300),
          .disks = value(L"Label18", 1020, 300),
          .actionTitle = heading(L"Label36", 1440, 300),
          .action = value(L"Label20", 1440, 300),
          .binTitle = heading(L"Label39", 1860, 300),
          .bin = value(L"Label40", 1860, 300),
          .modeTitle = heading(L"Label11", 2280, 600),
          .mode = value(L"Label19", 2280, 600),
          .startHint = b.Label(L"Label34", {kMargin, 3240, kText, 1080}),
          .avoidConflicts = b.Label(L"Label33", {kMargin, 4500, kText, 1080})};
}

// The four stages, an icon and a title each, one under the other.
ControlArray Steps(Builder& b) {
  for (int i = 0; i < 4; ++i) {
    b.Add(ControlKind::Image, L"StepImage", {kMargin, 2280 + i * 400, 255, 255}, i);
    b.languageFont.push_back(&b.Add(ControlKind::Label, L"StepInfo", {kMargin + 420, 2280 + i * 400, kText - 420, 300}, i));
  }
  return ControlArray(b.form, L"StepImage");
}

RunControls Running(Builder& b) {
  b.OnPage(6);
  RunControls c{.stage = b.Label(L"status", {kMargin, 300, kText, 420}),
                .stageInfo = b.Label(L"Label10", {kMargin, 780, kText, 600}),
                .disks = b.Label(L"Label9", {kMargin, 1440, kText, 300}),
                .disk = b.Heading(L"Label13", {kMargin, 1800, 1200, 300}),
                .estimate = b.Label(L"Label14", {kMargin + 1320, 1800, kText - 1320, 300}),
                .stepIcons = Steps(b),
                .stepTitles = ControlArray(b.form, L"StepInfo"),
                .progress = b.Add(ControlKind::ProgressBar, L"ProgressBar1", {kMargin, 4020, kText, 300}),
                .freeBytes = b.Label(L"Label32", {kMargin, 4380, kText, 300}, Font::Own),
                .remark = b.Label(L"Label44", {kMargin, 4740, kText, 600}),
                .pause = b.Check(L"Check2", {kMargin, 5460, kText, 315}),
                .turnOff = b.Check(L"Check1", {kMargin, 5820, kText, 315}),
                .sound = b.Check(L"Check3", {kMargin, 6180, kText, 315})};
  c.stage.fontPoints = 12;
  c.stage.bold = true;
  return c;
}

// The report's first row shows once a run has filled it.
FinishControls Finish(Builder& b) {
  b.OnPage(7);
  FinishControls c{.title = b.Title(L"Label8", {kMargin, 300, kText, 420}),
                   .reportIcons = b.Array(ControlKind::Image, L"ReportImage", {kMargin, 1020, 255, 255}),
                   .reportDisks = b.Array(ControlKind::Label, L"ReportDisk", {kMargin + 420, 1020, 600, 300}),
                   .reportTexts = b.Array(ControlKind::Label, L"ReportInfo", {kMargin + 1080, 1020, kText - 1080, 300}),
                   .shutdownNote = b.Label(L"Label21", {kMargin, 5040, kText, 300}),
                   .updates = b.Link(L"Label43", {kMargin, 5520, 6000, 300}),
                   .newsletter = b.Link(L"Label46", {kMargin, 5880, 6000, 300}),
                   .site = b.Link(L"Label24", {kMargin, 6240, 6000, 300}, Font::Own),
                   .soundRepeat = b.form.AddTimer(L"PlayWAV", 5000),
                   .countdown = b.form.AddTimer(L"turnoff", 1000)};
  for (const ControlArray* row : {&c.reportIcons, &c.reportDisks, &c.reportTexts}) (*row)[0].SetVisible(false);
  return c;
}

// Back and Next in the bottom right corner; Stop takes Next's place while a
// run goes.
WizardButtons Buttons(Builder& b) {
  b.page = nullptr;
  const int top = kPageHeight + 240, width = 1560, height = 405;
  const Twips last{kWidth - kMargin - width, top, width, height};
  WizardButtons buttons{.back = b.Add(ControlKind::Button, L"Command2", {last.left - width - 120, top, width, height}),
                        .next = b.Add(ControlKind::Button, L"Command1", last),
                        .stop = b.Add(ControlKind::Button, L"Command4", last)};
  b.form.SetDefaultButton(&buttons.next);
  buttons.stop.SetVisible(false);
  return buttons;
}

}  // namespace

StartLayout BuildStartLayout(Form& form) {
  Builder b(form);
  StartLayout layout{.pages = Pages(b),
                     .welcome = Welcome(b),
                     .disks = Disks(b),
                     .icons = IconHolders(b),
                     .history = History(b),
                     .modes = Modes(b),
                     .method = Method(b),
                     .review = Review(b),
                     .run = Running(b),
                     .finish = Finish(b),
                     .buttons = Buttons(b),
                     .startRun = form.AddTimer(L"worknow", 50),
                     .languageFont = {}};
  layout.languageFont = std::move(b.languageFont);
  return layout;
}

}  // namespace vantrel
