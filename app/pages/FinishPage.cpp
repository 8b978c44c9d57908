#include "app/pages/FinishPage.h"

#include "app/CommandLine.h"
#include "app/Wizard.h"
#include "lang/Language.h"
#include "services/Checkpoint.h"
#include "maker/ServiceUrl.h"

namespace vantrel {

namespace {
// Report rows of an earlier run that a new run removes; rows beyond it are
// not made.
constexpr int kMaxReportRow = 20;
constexpr int kRowGapTwips = 150;
}  // namespace

FinishPage::FinishPage(const FinishControls& controls, const Icons& icons, Wizard& wizard)
    : FinishControls(controls), icons_(icons) {
  updates.onClick = [] { RestartWithVerb(L"updates"); };
  // The newsletter is subscribed to in a process of its own; this one ends.
  newsletter.onClick = [&wizard] {
    if (RestartWithVerb(L"subscribe")) wizard.CloseAndEnd();
  };
  site.onClick = [] { ServiceUrl(L"site", L"", false); };
  soundRepeat.onTick = [this] {
    if (!sound_.PlayCompletionSound()) soundRepeat.SetEnabled(false);
  };
  countdown.onTick = [this] { CountdownTick(); };
}

void FinishPage::ClearReport() {
  for (int i = 1; i <= kMaxReportRow; ++i)
    for (const ControlArray* array : {&reportIcons, &reportDisks, &reportTexts}) array->Unload(i);
  for (const ControlArray* array : {&reportIcons, &reportDisks, &reportTexts}) (*array)[0].SetVisible(false);
}

// Row 0 in its design place, later rows below the row before.
Control* FinishPage::ReportElement(const ControlArray& array, int row) {
  if (row == 0) return &array[0];
  Control* element = array.Get(row);
  if (!element) return nullptr;
  const Twips first = array[0].Position(), above = array[row - 1].Position();
  element->Move({first.left, above.top + above.height + kRowGapTwips, first.width, first.height});
  return element;
}

void FinishPage::AddReportRow(int row, const std::wstring& disk, const std::wstring& info, bool ok) {
  SetCheckpoint(L"ADDREPORT1");
  if (Control* image = ReportElement(reportIcons, row)) {
    image->SetPicture((ok ? icons_.ok : icons_.error).picture());
    image->SetAccessibleName(disk + L", " + info);  // the row read as one
    image->SetVisible(true);
  }
  SetCheckpoint(L"ADDREPORT2");
  if (Control* label = ReportElement(reportDisks, row)) {
    label->SetCaption(disk);
    label->SetVisible(true);
  }
  SetCheckpoint(L"ADDREPORT3");
  if (Control* label = ReportElement(reportTexts, row)) {
    label->SetFontCharset(Lang().LanguageCharset);
    label->SetCaption(info);
    label->SetVisible(true);
  }
}

void FinishPage::PlayCompletionSound(bool thenRepeat) {
  sound_.Restart();
  const bool more = sound_.PlayCompletionSound();
  if (thenRepeat && more) soundRepeat.SetEnabled(true);
}

void FinishPage::StartShutdownCountdown() {
  countdown_.Start();
  countdown.SetEnabled(true);
}

void FinishPage::CountdownTick() {
  const ShutdownCountdown::Step step = countdown_.Tick();
  if (step.label) shutdownNote.SetCaption(*step.label);
  if (!step.goOn) countdown.SetEnabled(false);
}

void FinishPage::CancelEnd() {
  soundRepeat.SetEnabled(false);
  countdown.SetEnabled(false);
}

}  // namespace vantrel
