#include "platform/Toolkit.h"

#include <algorithm>
#include <stdexcept>

namespace vantrel {

namespace {
ToolkitBackend* g_backend = nullptr;
}

ToolkitBackend& Toolkit() {
  if (!g_backend) throw std::logic_error("no window toolkit installed");
  return *g_backend;
}

void InstallToolkit(ToolkitBackend* backend) { g_backend = backend; }

void DoEvents() { Toolkit().DoEvents(); }

Control::Control(Form& form, ControlKind kind, std::wstring name, int index, int id, Control* parent)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), id_(id), parent_(parent) {}

void Control::Notify(Property p) { form_.backend().ControlChanged(*this, p); }

void Control::SetCaption(const std::wstring& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Notify(Property::Caption);
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Notify(Property::Visible);
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Notify(Property::Enabled);
}

void Control::SelectInGroup() {
  for (Control* other : form_.Children(parent_))
    if (other != this && other->kind_ == ControlKind::OptionButton && other->value_ != 0) {
      other->value_ = 0;
      other->Notify(Property::Value);
    }
}

void Control::SetValue(int64_t value) {
  if (kind_ == ControlKind::OptionButton) value = value ? 1 : 0;
  if (kind_ == ControlKind::ProgressBar) value = std::clamp<int64_t>(value, 0, max_);
  if (value_ == value) return;
  value_ = value;
  if (kind_ == ControlKind::OptionButton && value) SelectInGroup();
  Notify(Property::Value);
  // An option that is cleared raises nothing; one that is selected does.
  const bool raises = kind_ == ControlKind::CheckBox || (kind_ == ControlKind::OptionButton && value);
  if (raises) RaiseClick();
}

void Control::SetMax(int64_t max) {
  if (max_ == max) return;
  max_ = std::max<int64_t>(max, 0);
  if (value_ > max_) value_ = max_;
  Notify(Property::Max);
}

void Control::SetPicture(Picture picture) {
  if (picture_ == picture) return;
  picture_ = std::move(picture);
  Notify(Property::Picture);
}

void Control::SetFontCharset(int charset) {
  if (charset_ == charset) return;
  charset_ = charset;
  Notify(Property::Font);
}

void Control::Move(const Twips& position) {
  position_ = position;
  Notify(Property::Position);
}

void Control::SetFocus() { Notify(Property::Focus); }

void Control::SetToolTip(const std::wstring& text) {
  if (toolTip_ == text) return;
  toolTip_ = text;
  Notify(Property::ToolTip);
}

void Control::SetAccessibleName(const std::wstring& name) {
  if (accessibleName_ == name) return;
  accessibleName_ = name;
  Notify(Property::Name);
}

bool Control::TabStop() const {
  switch (kind_) {
    case ControlKind::Image: return focusable && index_ <= 0;
    case ControlKind::LinkLabel:
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::ListView:
    case ControlKind::TextBox: return true;
    default: return false;
  }
}

void Control::SetColumns(std::vector<ListColumn> columns) {
  columns_ = std::move(columns);
  Notify(Property::Columns);
}

void Control::SetRows(std::vector<ListRow> rows) {
  rows_ = std::move(rows);
  value_ = -1;
  Notify(Property::Rows);
}

void Control::Click() {
  if (!enabled_) return;
  switch (kind_) {
    case ControlKind::CheckBox:
      SetValue(value_ == 1 ? 0 : 1);  // raises onClick itself
      return;
    case ControlKind::OptionButton:
      if (value_) break;  // selecting a selected option still counts as its click
      SetValue(1);
      return;
    default: break;
  }
  RaiseClick();
}

void Control::RaiseClick() {
  if (index_ >= 0) {
    const auto handler = form_.arrayClicks.find(name_);
    if (handler != form_.arrayClicks.end() && handler->second) handler->second(index_);
  } else if (onClick) {
    onClick();
  }
}

Timer::Timer(Form& form, std::wstring name, uint32_t intervalMs)
    : form_(form), name_(std::move(name)), interval_(intervalMs) {}

void Timer::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  form_.backend().TimerChanged(*this);
}

void Timer::Tick() {
  if (!enabled_ || ticking_ || !onTick) return;
  // A tick that throws must not leave the timer stopped for good.
  struct Done {
    bool& ticking;
    ~Done() { ticking = false; }
  } done{ticking_};
  ticking_ = true;
  onTick();
}

Form::Form(std::wstring name, int widthTwips, int heightTwips)
    : name_(std::move(name)), width_(widthTwips), height_(heightTwips) {}

Form::~Form() {
  if (g_backend) g_backend->FormDestroyed(*this);
}

ToolkitBackend& Form::backend() const { return Toolkit(); }

void Form::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  backend().FormChanged(*this);
}

void Form::SetBackground(Picture picture) {
  background_ = std::move(picture);
  backend().FormChanged(*this);
}

void Form::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (visible) backend().FormShown(*this);
  backend().FormChanged(*this);
}

void Form::SetDefaultButton(Control* button) {
  if (defaultButton_ == button) return;
  defaultButton_ = button;
  backend().FormChanged(*this);
}

void Form::SetBusyPointer(bool busy) {
  if (busyPointer_ == busy) return;
  busyPointer_ = busy;
  backend().FormChanged(*this);
}

bool Form::Close(int unloadMode) {
  if (onQueryUnload && onQueryUnload(unloadMode)) return false;
  SetVisible(false);
  closedForSessionEnd_ = unloadMode == kUnloadSessionEnding;
  return true;
}

void Form::SessionEndCancelled() {
  if (!closedForSessionEnd_) return;
  closedForSessionEnd_ = false;
  SetVisible(true);
  if (onSessionEndCancelled) onSessionEndCancelled();
}

Control& Form::Add(ControlKind kind, const std::wstring& name, int id, Control* parent, const Twips& position,
                   int index) {
  controls_.push_back(std::make_unique<Control>(*this, kind, name, index, id, parent));
  Control& c = *controls_.back();
  c.Move(position);
  if (index >= 0) arrays_[name][index] = &c;
  backend().ControlCreated(c);
  return c;
}

Control* Form::Load(const std::wstring& arrayName, int index) {
  const auto a = arrays_.find(arrayName);
  if (index <= 0 || a == arrays_.end() || a->second.count(index) || !a->second.count(0)) return nullptr;
  const Control& first = *a->second.at(0);
  controls_.push_back(
      std::make_unique<Control>(*this, first.kind(), arrayName, index, first.id() + index, first.parent()));
  Control& c = *controls_.back();
  c.fontPoints = first.fontPoints;
  c.bold = first.bold;
  c.tabOrder = first.tabOrder + index;
  c.focusable = first.focusable;
  c.visible_ = false;
  c.charset_ = first.charset_;
  c.position_ = first.Position();
  a->second[index] = &c;
  backend().ControlCreated(c);
  return &c;
}

bool Form::Unload(const std::wstring& arrayName, int index) {
  const auto a = arrays_.find(arrayName);
  if (index <= 0 || a == arrays_.end() || !a->second.count(index)) return false;
  Control* c = a->second.at(index);
  a->second.erase(index);
  backend().ControlRemoved(*c);
  controls_.erase(std::find_if(controls_.begin(), controls_.end(),
                               [c](const std::unique_ptr<Control>& p) { return p.get() == c; }));
  return true;
}

Control* Form::Find(const std::wstring& name, int index) const {
  if (index >= 0) {
    const auto a = arrays_.find(name);
    if (a == arrays_.end()) return nullptr;
    const auto e = a->second.find(index);
    return e == a->second.end() ? nullptr : e->second;
  }
  for (const auto& c : controls_)
    if (c->index() < 0 && c->name() == name) return c.get();
  return nullptr;
}

Control& Form::operator()(const std::wstring& name, int index) const {
  Control* c = Find(name, index);
  if (!c) throw std::out_of_range("no such control");
  return *c;
}

Control* Form::Neighbour(const Control& from, int step) const {
  std::vector<Control*> ring;
  if (from.kind() == ControlKind::OptionButton) {
    for (Control* c : Children(from.parent()))
      if (c->kind() == ControlKind::OptionButton) ring.push_back(c);
  } else if (const auto a = arrays_.find(from.name()); from.focusable && from.index() >= 0 && a != arrays_.end()) {
    for (const auto& [index, c] : a->second) ring.push_back(c);
  }
  std::erase_if(ring, [&](const Control* c) { return c != &from && !(c->Visible() && c->Enabled()); });
  const auto at = std::find(ring.begin(), ring.end(), &from);
  if (ring.size() < 2 || at == ring.end()) return nullptr;
  const long n = static_cast<long>(ring.size());
  return ring[static_cast<std::size_t>((((at - ring.begin()) + step) % n + n) % n)];
}

Control* Form::Focused() const { return backend().Focused(*this); }

int Form::UBound(const std::wstring& arrayName) const {
  const auto a = arrays_.find(arrayName);
  return a == arrays_.end() || a->second.empty() ? -1 : a->second.rbegin()->first;
}

std::vector<Control*> Form::Controls() const {
  std::vector<Control*> all;
  for (const auto& c : controls_) all.push_back(c.get());
  return all;
}

std::vector<Control*> Form::Children(const Control* parent) const {
  std::vector<Control*> children;
  for (const auto& c : controls_)
    if (c->parent() == parent) children.push_back(c.get());
  return children;
}

Timer& Form::AddTimer(const std::wstring& name, uint32_t intervalMs) {
  timers_.push_back(std::make_unique<Timer>(*this, name, intervalMs));
  return *timers_.back();
}

Timer& Form::timer(const std::wstring& name) const {
  for (const auto& t : timers_)
    if (t->name() == name) return *t;
  throw std::out_of_range("no such timer");
}

std::vector<Timer*> Form::Timers() const {
  std::vector<Timer*> all;
  for (const auto& t : timers_) all.push_back(t.get());
  return all;
}

}  // namespace vantrel
