#include "app/pages/HistoryView.h"

#include <algorithm>

#include "app/ControlArray.h"
#include "runlog/Statistics.h"

namespace vantrel {

namespace {

// Fixed captions, not translated; widths in hundredths of the list's width.
// They leave a twentieth for the scroll bar.
constexpr struct {
  const wchar_t* caption;
  int share;
} kColumns[] = {{L"Disk", 3}, {L"Label", 10}, {L"Started at", 22}, {L"Time", 10}, {L"Info", 50}};

// The least height the list keeps when rows of disks push it down: with
// less, the history gives way to the disks.
constexpr int kLeastListHeight = 600;

}  // namespace

HistoryView::HistoryView(const HistoryControls& controls, ChoicesModel& choices)
    : HistoryControls(controls),
      choices_(choices),
      separatorAt_(separator.Position()),
      titleAt_(title.Position()),
      listAt_(list.Position()) {
  completedOnly.onClick = [this] {
    choices_.Set(&Choices::showGoodOnly, Ticked(completedOnly));
    Refresh();
  };
  clear.onClick = [this] { Clear(); };
}

void HistoryView::Draw() {
  completedOnly.SetValue(choices_->showGoodOnly ? 1 : 0);
}

void HistoryView::Refresh() {
  std::vector<ListColumn> columns;
  for (const auto& column : kColumns) columns.push_back({column.caption, list.Position().width * column.share / 100});
  list.SetColumns(std::move(columns));
  std::vector<ListRow> rows;
  for (const HistoryRow& row : ReadHistory(choices_->showGoodOnly)) rows.emplace_back(row.begin(), row.end());
  hasRows_ = !rows.empty();
  list.SetRows(std::move(rows));
  ShowArea();
}

void HistoryView::Place(int panelRows, int rowPitch) {
  const int below = std::max(panelRows - 1, 0) * rowPitch;
  const int height = listAt_.height - below;
  room_ = height >= kLeastListHeight;
  auto lower = [below](Twips at) {
    at.top += below;
    return at;
  };
  separator.Move(lower(separatorAt_));
  title.Move(lower(titleAt_));
  Twips at = lower(listAt_);
  at.height = room_ ? height : kLeastListHeight;
  list.Move(at);
  ShowArea();
}

void HistoryView::ShowArea() {
  shown_ = room_ && hasRows_;
  for (Control* part : {&list, &separator, &clear, &title}) part->SetVisible(shown_);
}

void HistoryView::Clear() {
  ClearHistory();
  Refresh();
  // The clear link may have had the focus; it goes to the next control
  // rather than stay on a hidden one.
  if (!shown_) completedOnly.SetFocus();
}

}  // namespace vantrel
