#include "app/pages/HistoryView.h"

#include <algorithm>
#include <iterator>

#include "app/ControlArray.h"
#include "runlog/Statistics.h"

namespace vantrel {

namespace {

// Fixed captions, not translated; widths in hundredths of the list's width.
// They leave a twentieth for the scroll bar. Each fits its caption whole at
// any DPI, since fonts and twips scale alike; the disk's share of 3 showed
// "Disk" as "..".
constexpr struct {
  const wchar_t* caption;
  int share;
} kColumns[] = {{L"Disk", 7}, {L"Label", 11}, {L"Started at", 27}, {L"Time", 9}, {L"Info", 41}};

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
  list.onClick = [this] { ShowRowTip(); };
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
  ShowRowTip();
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

// A run's outcome is often longer than its column: the row the user chose
// shows whole, every column named, while the mouse rests on the list.
void HistoryView::ShowRowTip() {
  const std::vector<ListRow>& rows = list.Rows();
  const int64_t row = list.Value();
  std::wstring tip;
  if (row >= 0 && row < static_cast<int64_t>(rows.size()))
    for (std::size_t i = 0; i < std::size(kColumns) && i < rows[row].size(); ++i)
      if (!rows[row][i].empty()) tip += (tip.empty() ? L"" : L"\n") + std::wstring(kColumns[i].caption) + L": " + rows[row][i];
  list.SetToolTip(tip);
}

void HistoryView::Clear() {
  ClearHistory();
  Refresh();
  // The clear link may have had the focus; it goes to the next control
  // rather than stay on a hidden one.
  if (!shown_) completedOnly.SetFocus();
}

}  // namespace vantrel
