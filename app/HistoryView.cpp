#include "app/HistoryView.h"

#include "app/StartForm.h"
#include "runlog/Statistics.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

namespace {

// Fixed captions, not translated; widths in hundredths of the list's width.
// They leave a twentieth for the scroll bar.
constexpr struct {
  const wchar_t* caption;
  int share;
} kColumns[] = {{L"Disk", 3}, {L"Label", 10}, {L"Started at", 22}, {L"Time", 10}, {L"Info", 50}};

std::vector<ListColumn> Columns(const Control& list) {
  std::vector<ListColumn> columns;
  for (const auto& column : kColumns) columns.push_back({column.caption, list.Position().width * column.share / 100});
  return columns;
}

}  // namespace

void ShowHistoryArea(StartForm& form) {
  const StartControls& c = form.c;
  const bool shown = form.HistoryRoom && !c.ListView1->Rows().empty();
  for (Control* part : {c.ListView1, c.Line1, c.Label22, c.Label29}) IgnoringFailures([&] { part->SetVisible(shown); });
}

void RefreshStatistics(StartForm& form) {
  const StartControls& c = form.c;
  IgnoringFailures([&] {
    c.ListView1->SetColumns(Columns(*c.ListView1));
    std::vector<ListRow> rows;
    for (const HistoryRow& row : ReadHistory(Ticked(*c.Check9))) rows.emplace_back(row.begin(), row.end());
    c.ListView1->SetRows(std::move(rows));
  });
  ShowHistoryArea(form);
}

void ClearStatistics(StartForm& form) {
  ClearHistory();
  RefreshStatistics(form);
  // The clear label may have had the focus; it goes to the next control
  // rather than stay on a hidden one.
  if (!form.c.Label22->Visible()) IgnoringFailures([&] { form.c.Check9->SetFocus(); });
}

}  // namespace vantrel
