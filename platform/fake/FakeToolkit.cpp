#include "platform/fake/FakeToolkit.h"

#include <algorithm>

namespace vantrel::fake {

void FakeToolkit::At(uint64_t atMs, std::function<void()> fn) { scheduled_.push_back({atMs, std::move(fn)}); }

void FakeToolkit::RunFor(uint32_t ms, uint32_t stepMs) {
  const uint64_t end = clock_.now + ms;
  while (clock_.now < end && !ended) {
    clock_.Sleep(stepMs);
    DoEvents();
  }
}

void FakeToolkit::FormDestroyed(Form& form) {
  for (const Control* c : form.Controls())
    if (c == focused) focused = nullptr;
  windows_.erase(&form);
  procs_.erase(&form);
  for (auto it = due_.begin(); it != due_.end();) {
    bool mine = false;
    for (Timer* t : form.Timers()) mine = mine || t == it->first;
    it = mine ? due_.erase(it) : std::next(it);
  }
}

void FakeToolkit::ControlChanged(Control& control, Property property) {
  if (property == Property::Focus) focused = &control;
  if (property == Property::Visible && !control.Visible())
    for (const Control* c = focused; c; c = c->parent())
      if (c == &control) focused = nullptr;
  if (property == Property::Caption || property == Property::Value) ++changes[&control];
  if (property == Property::Columns || property == Property::Rows) ShowList(control);
  if (property != Property::ToolTip) return;
  if (control.ToolTip().empty())
    toolTips.erase(&control);
  else
    toolTips[&control] = control.ToolTip();
}

void FakeToolkit::ControlRemoved(Control& control) {
  if (focused == &control) focused = nullptr;
  toolTips.erase(&control);
  lists.erase(&control);
}

void FakeToolkit::WindowOrder(const Form& form, const Control* parent, std::vector<Control*>& order) const {
  for (Control* c : form.Children(parent)) {
    if (!c->Visible() || !c->Enabled()) continue;
    if (c->TabStop() || c == focused) order.push_back(c);
    if (c->kind() == ControlKind::Container) WindowOrder(form, c, order);
  }
}

void FakeToolkit::Press(Form& form, Key key) {
  bool live = focused && focused->Enabled();
  for (const Control* c = focused; c && live; c = c->parent()) live = c->Visible();
  switch (key) {
    case Key::Tab:
    case Key::ShiftTab: {
      // From the focused control in window order to the next Tab stop,
      // which it need not be itself (an element of an array).
      std::vector<Control*> order;
      WindowOrder(form, nullptr, order);
      const long n = static_cast<long>(order.size()), step = key == Key::Tab ? 1 : -1;
      const auto at = std::find(order.begin(), order.end(), focused);
      long i = at == order.end() ? (step > 0 ? -1 : n) : at - order.begin();
      for (long tried = 0; tried < n; ++tried) {
        i = ((i + step) % n + n) % n;
        if (order[static_cast<std::size_t>(i)]->TabStop()) {
          focused = order[static_cast<std::size_t>(i)];
          break;
        }
      }
      return;
    }
    case Key::Left:
    case Key::Up:
    case Key::Right:
    case Key::Down:
      if (live)
        if (Control* next = form.Neighbour(*focused, key == Key::Right || key == Key::Down ? 1 : -1)) {
          focused = next;
          if (next->kind() == ControlKind::OptionButton) next->Click();
        }
      return;
    case Key::Space:
      if (live && (focused->TabStop() || focused->focusable) && focused->kind() != ControlKind::ListView &&
          focused->kind() != ControlKind::TextBox)
        focused->Click();
      return;
    case Key::Enter:
      if (Control* next = form.DefaultButton(); next && next->Visible()) next->Click();
      return;
  }
}

void FakeToolkit::ShowList(const Control& control) {
  ListShown& shown = lists[&control];
  shown.columns = control.Columns();
  shown.rows = control.Rows();
  for (ListRow& row : shown.rows) row.resize(shown.columns.size());
}

std::wstring FakeToolkit::HoverText(const Control& control) const {
  for (const Control* c = &control; c; c = c->parent())
    if (!c->Visible()) return {};
  if (!control.Enabled() || !control.form().Visible()) return {};
  const auto tip = toolTips.find(&control);
  return tip == toolTips.end() ? std::wstring() : tip->second;
}

void FakeToolkit::TimerChanged(Timer& timer) {
  if (timer.Enabled())
    due_[&timer] = clock_.now + timer.Interval();
  else
    due_.erase(&timer);
}

void FakeToolkit::DoEvents() {
  for (std::size_t i = 0; i < scheduled_.size();) {
    if (scheduled_[i].at <= clock_.now) {
      auto fn = std::move(scheduled_[i].fn);
      scheduled_.erase(scheduled_.begin() + static_cast<long>(i));
      fn();
    } else {
      ++i;
    }
  }
  std::vector<Timer*> dueNow;
  for (auto& [timer, at] : due_)
    if (at <= clock_.now) dueNow.push_back(timer);
  for (Timer* timer : dueNow) {
    if (!due_.count(timer)) continue;  // disabled by an earlier tick
    due_[timer] = clock_.now + timer->Interval();
    timer->Tick();
  }
}

Picture FakeToolkit::LoadPicture(const std::wstring& file) {
  if (!files_.FileExists(file)) return nullptr;
  auto p = std::make_shared<PictureData>();
  p->source = file;
  return p;
}

Picture FakeToolkit::ResourcePicture(const std::wstring& name) {
  Picture& p = resources_[name];
  if (!p) {
    auto made = std::make_shared<PictureData>();
    made->source = name;
    p = made;
  }
  return p;
}

WindowProc FakeToolkit::ReplaceWindowProc(Form& form, WindowProc proc) {
  if (!windows_.count(&form)) return {};
  WindowProc& current = procs_[&form];
  WindowProc previous = current;
  if (!previous) previous = [this](uint32_t, uintptr_t, intptr_t) { return ownAnswer; };
  current = std::move(proc);
  return previous;
}

std::optional<intptr_t> FakeToolkit::Send(Form& form, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (!windows_.count(&form)) return std::nullopt;
  const auto it = procs_.find(&form);
  if (it == procs_.end() || !it->second) return ownAnswer;
  const WindowProc proc = it->second;
  return proc(message, wParam, lParam);
}

}  // namespace vantrel::fake
