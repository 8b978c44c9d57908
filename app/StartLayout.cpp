// Where every control of the main window sits, in twips (1440 per inch), as
// a window designer would have placed them. Positions inside a page or
// inside Picture1 are relative to that container.
#include "app/HistoryView.h"
#include "app/StartControlIds.h"
#include "app/StartForm.h"

#include <algorithm>
#include <utility>

namespace vantrel {

namespace {

constexpr int kWidth = StartForm::kWidthTwips;
constexpr int kPageHeight = 6600;
constexpr int kMargin = 480;
constexpr int kText = kWidth - 2 * kMargin;

// The run history below the disk panel, and the least height its list
// keeps when more rows of disks push it down.
constexpr int kHistoryTop = 2520, kHistoryHeight = 3000, kLeastHistoryHeight = 600;
// The separator between the disks and their history.
constexpr int kLineAbove = 120;

int Id(const wchar_t* name, int index = 0) { return *start_ids::Find(name, index); }

struct Builder {
  Form& f;
  StartControls& c;
  Control* page = nullptr;
  int order = 0;

  Control& Add(ControlKind kind, const wchar_t* name, Twips at, int index = -1) {
    Control& c = f.Add(kind, name, Id(name, index < 0 ? 0 : index), page, at, index);
    c.tabOrder = ++order;
    return c;
  }
  Control& Label(const wchar_t* name, Twips at) { return Add(ControlKind::Label, name, at); }
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
  Control& Check(const wchar_t* name, Twips at) { return Add(ControlKind::CheckBox, name, at); }
  Control& Option(const wchar_t* name, Twips at) { return Add(ControlKind::OptionButton, name, at); }
  Control& Link(const wchar_t* name, Twips at) { return Add(ControlKind::LinkLabel, name, at); }
  Control& Hidden(ControlKind kind, const wchar_t* name) {
    Control& c = Add(kind, name, {0, 0, 255, 255});
    c.SetVisible(false);
    return c;
  }
};

void WelcomePage(Builder& b) {
  b.c.Label1 = &b.Title(L"Label1", {kMargin, 360, kText, 480});
  b.c.Label2 = &b.Label(L"Label2", {kMargin, 1080, kText, 2400});
  b.c.Label41 = &b.Label(L"Label41", {kMargin, 3840, 2880, 300});
  b.c.Label12 = &b.Link(L"Label12", {kMargin + 2940, 3840, 3000, 300});
  b.c.Check7 = &b.Check(L"Check7", {kMargin, 6000, kText, 315});
}

void DiskPage(Builder& b) {
  b.c.Label3 = &b.Title(L"Label3", {kMargin, 300, kText, 420});
  b.c.Label5 = &b.Label(L"Label5", {kMargin, 720, kText, 420});
  // The first slot of the disk panel; further slots are copies one step to the right.
  Control& label = b.Add(ControlKind::Label, L"DiskLabel", {480, 1200, 255, 375}, 0);
  label.fontPoints = 12;
  label.bold = true;
  b.Add(ControlKind::Image, L"DiskImageSel", {750, 1320, 255, 255}, 0);
  b.Add(ControlKind::Image, L"DiskImage", {360, 1680, 615, 615}, 0);
  b.Add(ControlKind::CheckBox, L"DiskSelect", {6960, 120, 255, 255}, 0).SetVisible(false);
  StartControls& c = b.c;
  for (auto [handle, icon] : {std::pair{&c.IconOK, L"IconOK"}, {&c.IconOKgray, L"IconOKgray"},
                              {&c.IconPAUSE, L"IconPAUSE"}, {&c.IconPEND, L"IconPEND"}, {&c.IconERROR, L"IconERROR"},
                              {&c.IconCURR, L"IconCURR"}, {&c.DiskHDD, L"DiskHDD"}, {&c.DiskFlash, L"DiskFlash"},
                              {&c.DiskEHDD, L"DiskEHDD"}}) {
    *handle = &b.Hidden(ControlKind::Image, icon);
    (*handle)->SetPicture(Toolkit().ResourcePicture(icon));
  }
  // The history shows once the log gives it rows.
  b.c.Line1 = &b.Add(ControlKind::Line, L"Line1", {kMargin, kHistoryTop - kLineAbove, kText, 30});
  b.c.Label29 = &b.Heading(L"Label29", {kMargin, kHistoryTop, kText, 300});
  b.c.ListView1 = &b.Add(ControlKind::ListView, L"ListView1", {kMargin, kHistoryTop + 360, kText, kHistoryHeight});
  b.c.Label22 = &b.Link(L"Label22", {kMargin, 6060, 3600, 300});
  for (Control* part : {b.c.Line1, b.c.Label29, b.c.ListView1, b.c.Label22}) part->SetVisible(false);
  b.c.Check9 = &b.Check(L"Check9", {kMargin + 4800, 6040, kText - 4800, 315});
}

void ModePage(Builder& b) {
  b.c.Label15 = &b.Title(L"Label15", {kMargin, 300, kText, 420});
  b.c.Option6 = &b.Option(L"Option6", {kMargin, 900, kText, 315});
  b.c.Label26 = &b.Label(L"Label26", {kMargin + 360, 1230, kText - 360, 600});
  b.c.Option7 = &b.Option(L"Option7", {kMargin, 1920, kText, 315});
  b.c.Label27 = &b.Label(L"Label27", {kMargin + 360, 2250, kText - 360, 600});
  b.c.Label25 = &b.Heading(L"Label25", {kMargin, 3120, kText, 300});
  b.c.Label28 = &b.Label(L"Label28", {kMargin, 3450, kText, 780});
  b.c.Picture1 = &b.Add(ControlKind::Container, L"Picture1", {kMargin, 4320, kText, 1200});
  Control* pageItself = b.page;
  b.page = b.c.Picture1;
  b.c.Option8 = &b.Option(L"Option8", {360, 60, kText - 480, 315});
  b.c.Option9 = &b.Option(L"Option9", {360, 440, kText - 480, 315});
  b.c.Option10 = &b.Option(L"Option10", {360, 820, kText - 480, 315});
  b.page = pageItself;
}

void MethodPage(Builder& b) {
  b.c.Label4 = &b.Title(L"Label4", {kMargin, 300, kText, 420});
  StartControls& c = b.c;
  const std::pair<Control**, const wchar_t*> options[] = {
      {&c.Option1, L"Option1"}, {&c.Option2, L"Option2"}, {&c.Option3, L"Option3"}, {&c.Option4, L"Option4"},
      {&c.Option5, L"Option5"}};
  for (int i = 0; i < 5; ++i) *options[i].first = &b.Option(options[i].second, {kMargin, 860 + i * 350, kText, 315});
  // Replacing with spaces is the design-time choice, so that start-up's
  // selecting it first raises nothing and the stored method is read intact.
  c.Option2->SetValue(1);
  b.c.Label37 = &b.Heading(L"Label37", {kMargin, 2760, kText, 300});
  b.c.Label38 = &b.Label(L"Label38", {kMargin, 3060, kText, 420});
  b.c.Check4 = &b.Check(L"Check4", {kMargin, 3480, kText, 315});
  b.c.Check6 = &b.Check(L"Check6", {kMargin, 3900, kText, 315});
  b.c.Label7 = &b.Label(L"Label7", {kMargin + 360, 4230, kText - 360, 600});
  b.c.Check5 = &b.Check(L"Check5", {kMargin, 4920, kText, 315});
  b.c.Label23 = &b.Label(L"Label23", {kMargin, 5520, kText, 600});
}

void ReviewPage(Builder& b) {
  b.c.Label6 = &b.Title(L"Label6", {kMargin, 300, kText, 420});
  const int labelWidth = 2880, valueLeft = kMargin + 3000, valueWidth = kText - 3000;
  StartControls& c = b.c;
  const struct {
    Control** label;
    const wchar_t* labelName;
    Control** value;
    const wchar_t* valueName;
    int top;
    int height;
  } rows[] = {{&c.Label16, L"Label16", &c.Label18, L"Label18", 1020, 300},
              {&c.Label36, L"Label36", &c.Label20, L"Label20", 1440, 300},
              {&c.Label39, L"Label39", &c.Label40, L"Label40", 1860, 300},
              {&c.Label11, L"Label11", &c.Label19, L"Label19", 2280, 600}};
  for (const auto& r : rows) {
    *r.label = &b.Heading(r.labelName, {kMargin, r.top, labelWidth, r.height});
    *r.value = &b.Label(r.valueName, {valueLeft, r.top, valueWidth, r.height});
  }
  b.c.Label34 = &b.Label(L"Label34", {kMargin, 3240, kText, 1080});
  b.c.Label33 = &b.Label(L"Label33", {kMargin, 4500, kText, 1080});
}

void RunPage(Builder& b) {
  b.c.status = &b.Label(L"status", {kMargin, 300, kText, 420});
  b.c.status->fontPoints = 12;
  b.c.status->bold = true;
  b.c.Label10 = &b.Label(L"Label10", {kMargin, 780, kText, 600});
  b.c.Label9 = &b.Label(L"Label9", {kMargin, 1440, kText, 300});
  b.c.Label13 = &b.Heading(L"Label13", {kMargin, 1800, 1200, 300});
  b.c.Label14 = &b.Label(L"Label14", {kMargin + 1320, 1800, kText - 1320, 300});
  for (int i = 0; i < 4; ++i) {
    b.Add(ControlKind::Image, L"StepImage", {kMargin, 2280 + i * 400, 255, 255}, i);
    b.Add(ControlKind::Label, L"StepInfo", {kMargin + 420, 2280 + i * 400, kText - 420, 300}, i);
  }
  b.c.ProgressBar1 = &b.Add(ControlKind::ProgressBar, L"ProgressBar1", {kMargin, 4020, kText, 300});
  b.c.Label32 = &b.Label(L"Label32", {kMargin, 4380, kText, 300});
  b.c.Label44 = &b.Label(L"Label44", {kMargin, 4740, kText, 600});
  b.c.Check2 = &b.Check(L"Check2", {kMargin, 5460, kText, 315});
  b.c.Check1 = &b.Check(L"Check1", {kMargin, 5820, kText, 315});
  b.c.Check3 = &b.Check(L"Check3", {kMargin, 6180, kText, 315});
}

void FinishPage(Builder& b) {
  b.c.Label8 = &b.Title(L"Label8", {kMargin, 300, kText, 420});
  // The report's first row; it shows once a run has filled it.
  b.Add(ControlKind::Image, L"ReportImage", {kMargin, 1020, 255, 255}, 0).SetVisible(false);
  b.Add(ControlKind::Label, L"ReportDisk", {kMargin + 420, 1020, 600, 300}, 0).SetVisible(false);
  b.Add(ControlKind::Label, L"ReportInfo", {kMargin + 1080, 1020, kText - 1080, 300}, 0).SetVisible(false);
  b.c.Label21 = &b.Label(L"Label21", {kMargin, 5040, kText, 300});
  b.c.Label43 = &b.Link(L"Label43", {kMargin, 5520, 6000, 300});
  b.c.Label46 = &b.Link(L"Label46", {kMargin, 5880, 6000, 300});
  // The only caption no language file carries: it names the program's site.
  b.c.Label24 = &b.Link(L"Label24", {kMargin, 6240, 6000, 300});
}

}  // namespace

void StartForm::PlaceDiskHistory(int panelRows) {
  const int below = std::max(panelRows - 1, 0) * kDiskRowPitchTwips;
  const int height = kHistoryHeight - below;
  // Disks come first: with more rows than leave the list room to be read,
  // the history gives way.
  HistoryRoom = height >= kLeastHistoryHeight;
  c.Line1->Move({kMargin, kHistoryTop - kLineAbove + below, kText, 30});
  c.Label29->Move({kMargin, kHistoryTop + below, kText, 300});
  c.ListView1->Move({kMargin, kHistoryTop + 360 + below, kText, HistoryRoom ? height : kLeastHistoryHeight});
  ShowHistoryArea(*this);
}

void StartForm::BuildControls() {
  Builder b{ui, c};
  // Pages first, so that the controls after them draw above them.
  b.Add(ControlKind::Container, L"win", {0, 0, kWidth, kPageHeight}, 0).SetVisible(false);
  for (int page = 1; page <= 7; ++page) {
    Control& p = *ui.Load(L"win", page);
    p.Move({0, 0, kWidth, kPageHeight});
  }
  void (*const pages[])(Builder&) = {WelcomePage, DiskPage, ModePage, MethodPage, ReviewPage, RunPage,
                                     FinishPage};
  for (int page = 1; page <= 7; ++page) {
    b.page = &c.win[page];
    pages[page - 1](b);
  }
  b.page = nullptr;
  const int buttonTop = kPageHeight + 240, buttonWidth = 1560, buttonHeight = 405;
  c.Command2 = &b.Add(ControlKind::Button, L"Command2",
                      {kWidth - kMargin - 2 * buttonWidth - 120, buttonTop, buttonWidth, buttonHeight});
  c.Command1 = &b.Add(ControlKind::Button, L"Command1", {kWidth - kMargin - buttonWidth, buttonTop, buttonWidth, buttonHeight});
  ui.SetDefaultButton(c.Command1);
  c.Command4 = &b.Add(ControlKind::Button, L"Command4", {kWidth - kMargin - buttonWidth, buttonTop, buttonWidth, buttonHeight});
  c.Command4->SetVisible(false);

  c.worknow = &ui.AddTimer(L"worknow", 50);
  c.DiskListRefresher = &ui.AddTimer(L"DiskListRefresher", 500);
  c.PlayWAV = &ui.AddTimer(L"PlayWAV", 5000);
  c.turnoff = &ui.AddTimer(L"turnoff", 1000);
}

}  // namespace vantrel
