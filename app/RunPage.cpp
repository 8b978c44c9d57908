#include "app/RunPage.h"

#include <stdexcept>

#include "app/Choices.h"
#include "lang/Language.h"
#include "services/Checkpoint.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

namespace {
// Report rows of an earlier run that a new run removes; rows beyond it are
// not made.
constexpr int kMaxReportRow = 20;
constexpr int kRowGapTwips = 150;
}  // namespace

bool RunPage::SoundWhenDone() { return choices::Get(choices::Flag::PlaySound); }

void RunPage::Show(RunText which, const std::wstring& text) {
  Control* const labels[] = {c_.status, c_.Label10, c_.Label9, c_.Label13,
                             c_.Label14, c_.Label32, c_.Label44, c_.Label21};
  labels[static_cast<int>(which)]->SetCaption(text);
}

void RunPage::ShowStep(int stage, StepIcon icon) {
  Control* const icons[] = {c_.IconPEND, c_.IconCURR, c_.IconPAUSE, c_.IconOK, c_.IconERROR, c_.IconOKgray};
  c_.StepImage[stage].SetPicture(icons[static_cast<int>(icon)]->picture());
}

void RunPage::ShowProgress(int64_t value, int64_t max) {
  if (c_.ProgressBar1->Max() != max) c_.ProgressBar1->SetMax(max);
  if (c_.ProgressBar1->Value() != value) c_.ProgressBar1->SetValue(value);
}

void RunPage::ClearReport() {
  for (int i = 1; i <= kMaxReportRow; ++i)
    for (const ControlArray* array : {&c_.ReportImage, &c_.ReportDisk, &c_.ReportInfo}) array->Unload(i);
  for (const ControlArray* array : {&c_.ReportImage, &c_.ReportDisk, &c_.ReportInfo}) (*array)[0].SetVisible(false);
}

// Element `row` of a report array: row 0 in its design place, later rows
// below the previous one.
Control& RunPage::ReportElement(const ControlArray& array, int row) {
  if (row == 0) return array[0];
  Control* element = array.Find(row);
  if (!element) element = array.Load(row);
  if (!element) throw std::runtime_error("no report row");
  const Twips first = array[0].Position(), above = array[row - 1].Position();
  element->Move({first.left, above.top + above.height + kRowGapTwips, first.width, first.height});
  return *element;
}

void RunPage::AddReportRow(int row, const std::wstring& disk, const std::wstring& info, bool ok) {
  SetCheckpoint(L"ADDREPORT1");
  IgnoringFailures([&] {
    Control* image = &ReportElement(c_.ReportImage, row);
    image->SetPicture((ok ? c_.IconOK : c_.IconERROR)->picture());
    image->SetVisible(true);
  });
  SetCheckpoint(L"ADDREPORT2");
  IgnoringFailures([&] {
    Control* label = &ReportElement(c_.ReportDisk, row);
    label->SetCaption(disk);
    label->SetVisible(true);
  });
  SetCheckpoint(L"ADDREPORT3");
  IgnoringFailures([&] {
    Control* label = &ReportElement(c_.ReportInfo, row);
    label->SetFontCharset(Lang().LanguageCharset);
    label->SetCaption(info);
    label->SetVisible(true);
  });
}

void RunPage::PlayCompletionSound(bool thenRepeat) {
  form_.sound.Restart();
  const bool more = form_.sound.PlayCompletionSound();
  if (thenRepeat && more) c_.PlayWAV->SetEnabled(true);
}

void RunPage::StartShutdownCountdown() {
  form_.countdown.Start();
  c_.turnoff->SetEnabled(true);
}

void RunPage::ShowFinishPage() {
  if (form_.CurrentPage != form_.LastPage()) form_.ShowPage(form_.LastPage());
}

}  // namespace vantrel
