// The window toolkit as the logic sees it: a retained model of forms and
// controls in the program's own terms (Caption, Value, Visible, control
// arrays, timers). A backend mirrors the model into real windows (Win32) or
// keeps it in memory (the fake); the logic never sees which.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {

enum class ControlKind {
  Container,  // a borderless panel holding other controls (a page, the language page's frame)
  Label,
  LinkLabel,  // a label the user clicks like a link; reachable by keyboard
  Button,
  CheckBox,
  OptionButton,
  Image,
  ProgressBar,
  ListView,
  Line,     // a thin horizontal separator
  TextBox,  // a one-line input field; its text is the caption, kept as the user types
};

// A picture a control shows; the backend owns what lies behind it.
struct PictureData {
  std::wstring source;  // file path or resource name
  int width = 0;        // pixels of the picture itself
  int height = 0;
  std::shared_ptr<void> handle;
};
using Picture = std::shared_ptr<const PictureData>;

struct Twips {
  int left = 0, top = 0, width = 0, height = 0;
};

enum class Property { Caption, Visible, Enabled, Value, Max, Picture, Font, Position, Focus, ToolTip, Columns, Rows, Name };

// A column of a report list: its caption and its width in twips.
struct ListColumn {
  std::wstring caption;
  int width = 0;
};
using ListRow = std::vector<std::wstring>;  // one text per column

class Form;

class Control {
 public:
  Control(Form& form, ControlKind kind, std::wstring name, int index, int id, Control* parent);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind kind() const { return kind_; }
  const std::wstring& name() const { return name_; }
  int index() const { return index_; }  // -1 outside a control array
  int id() const { return id_; }
  Control* parent() const { return parent_; }
  Form& form() const { return form_; }

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Check boxes 0/1 (2 greyed), option buttons 0/1, progress bars the
  // position, report lists the row the user chose (-1: none; new rows
  // choose none). A list tells the user's choice through onClick.
  int64_t Value() const { return value_; }
  // Changing the state of a check box or an option button from code raises
  // its click behaviour, as a user's click does; selecting an option clears
  // the others of its group.
  void SetValue(int64_t value);
  int64_t Max() const { return max_; }
  void SetMax(int64_t max);
  const Picture& picture() const { return picture_; }
  void SetPicture(Picture picture);
  int FontCharset() const { return charset_; }
  void SetFontCharset(int charset);
  const Twips& Position() const { return position_; }
  void Move(const Twips& position);
  void SetFocus();
  // Shown while the mouse rests on the control; empty shows none. Lines
  // break at "\n" and where the text is wider than the tip allows.
  const std::wstring& ToolTip() const { return toolTip_; }
  void SetToolTip(const std::wstring& text);
  // What a screen reader says for the control; the caption when empty. A
  // picture has no caption, so without one it is not read at all.
  const std::wstring& AccessibleName() const { return accessibleName_.empty() ? caption_ : accessibleName_; }
  void SetAccessibleName(const std::wstring& name);

  // A report list (ListView): its columns, and its rows, replaced whole so
  // the backend fills the window in one go.
  const std::vector<ListColumn>& Columns() const { return columns_; }
  void SetColumns(std::vector<ListColumn> columns);
  const std::vector<ListRow>& Rows() const { return rows_; }
  void SetRows(std::vector<ListRow> rows);

  // Design-time look, fixed before the backend first shows the control.
  int fontPoints = 9;
  bool bold = false;
  int tabOrder = 0;  // order among the controls of one container
  // An image that the keyboard reaches: it shows when it has the focus and
  // Space clicks it. Of a control array only element 0 is a Tab stop; the
  // arrow keys move among the elements.
  bool focusable = false;
  // Whether Tab stops at the control (when it is shown and enabled).
  bool TabStop() const;

  // What a click of the user does; set by the form's code.
  std::function<void()> onClick;
  // A user's click: toggles a check box, selects an option, then runs onClick.
  void Click();

 private:
  friend class Form;
  void Notify(Property p);
  void RaiseClick();
  void SelectInGroup();

  Form& form_;
  ControlKind kind_;
  std::wstring name_;
  int index_;
  int id_;
  Control* parent_;
  std::wstring caption_;
  bool visible_ = true;
  bool enabled_ = true;
  int64_t value_ = 0;
  int64_t max_ = 100;
  Picture picture_;
  int charset_ = 1;
  Twips position_;
  std::wstring toolTip_;
  std::wstring accessibleName_;
  std::vector<ListColumn> columns_;
  std::vector<ListRow> rows_;
};

class Timer {
 public:
  Timer(Form& form, std::wstring name, uint32_t intervalMs);
  const std::wstring& name() const { return name_; }
  uint32_t Interval() const { return interval_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  std::function<void()> onTick;
  // Runs one tick, never inside a tick of the same timer.
  void Tick();

 private:
  Form& form_;
  std::wstring name_;
  uint32_t interval_;
  bool enabled_ = false;
  bool ticking_ = false;
};

class ToolkitBackend;

// A window procedure in the program's terms: the message number and its two
// parameters in, the answer out.
using WindowProc = std::function<intptr_t(uint32_t message, uintptr_t wParam, intptr_t lParam)>;

// What a form's button on the taskbar shows of long work: nothing, its
// progress in the colour of going on, of a pause or of a failure.
enum class TaskbarState { None, Normal, Paused, Error };
struct TaskbarProgress {
  TaskbarState state = TaskbarState::None;
  uint64_t done = 0, total = 0;
  bool operator==(const TaskbarProgress&) const = default;
};

// Why a window closes: the user's close box or system menu, the program's
// own close, or Windows ending the session (log-off, shut-down).
constexpr int kUnloadCloseBox = 0, kUnloadByProgram = 1, kUnloadSessionEnding = 2;

class Form {
 public:
  Form(std::wstring name, int widthTwips, int heightTwips);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::wstring& name() const { return name_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  const Picture& Background() const { return background_; }
  void SetBackground(Picture picture);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // The button that the Enter key presses (Next on the wizard, OK on the
  // language page) and the one that Esc presses; none when null. A form of
  // several pages changes them with the page.
  Control* DefaultButton() const { return defaultButton_; }
  void SetDefaultButton(Control* button);
  Control* CancelButton() const { return cancelButton_; }
  void SetCancelButton(Control* button) { cancelButton_ = button; }

  // The busy (hourglass) mouse pointer over the whole window, for work that
  // holds the window while it still answers (a web request).
  bool BusyPointer() const { return busyPointer_; }
  void SetBusyPointer(bool busy);

  // What a click on any element of a control array does, by array name;
  // the handler learns the element's index.
  std::map<std::wstring, std::function<void(int index)>> arrayClicks;

  // Asked before the window closes with one of the unload modes below.
  // Returns true to keep it open.
  std::function<bool(int unloadMode)> onQueryUnload;
  // Closes as the given mode; false when the close was refused.
  bool Close(int unloadMode);
  // Windows went on with the session after the form agreed to close for its
  // end: the window shows again and onSessionEndCancelled runs. Nothing for
  // a form that did not close that way, or was closed since by other means.
  void SessionEndCancelled();
  std::function<void()> onSessionEndCancelled;

  // A single control, or element 0 of a control array when index >= 0.
  Control& Add(ControlKind kind, const std::wstring& name, int id, Control* parent, const Twips& position,
               int index = -1);
  // Creates element `index` of an array like element 0 (same kind, parent,
  // size, look; id = element 0's id + index), hidden and without a caption.
  // Nothing when the element exists or element 0 does not.
  Control* Load(const std::wstring& arrayName, int index);
  // Removes element `index` (> 0) of an array; false when there is none.
  bool Unload(const std::wstring& arrayName, int index);
  Control* Find(const std::wstring& name, int index = -1) const;
  Control& operator()(const std::wstring& name, int index = -1) const;
  // Where an arrow key moves the focus: from a focusable element of a
  // control array to another element, from an option button to another of
  // its group (those of its container, as a selection clears); `step` on among
  // those shown and enabled, round the end to the start. Null when there is
  // nowhere else to go.
  Control* Neighbour(const Control& from, int step) const;
  // The control that has the keyboard's focus, if it is one of this form's.
  Control* Focused() const;
  // Highest index of a control array, -1 when it is empty.
  int UBound(const std::wstring& arrayName) const;
  std::vector<Control*> Controls() const;
  std::vector<Control*> Children(const Control* parent) const;

  Timer& AddTimer(const std::wstring& name, uint32_t intervalMs);
  Timer& timer(const std::wstring& name) const;
  std::vector<Timer*> Timers() const;

  ToolkitBackend& backend() const;

 private:
  std::wstring name_;
  int width_, height_;
  std::wstring caption_;
  Picture background_;
  bool visible_ = false;
  Control* defaultButton_ = nullptr;
  Control* cancelButton_ = nullptr;
  bool busyPointer_ = false;
  bool closedForSessionEnd_ = false;
  std::vector<std::unique_ptr<Control>> controls_;
  std::map<std::wstring, std::map<int, Control*>> arrays_;
  std::vector<std::unique_ptr<Timer>> timers_;
};

// What a backend does with the model. All calls come on the UI thread.
class ToolkitBackend {
 public:
  virtual ~ToolkitBackend() = default;
  virtual void FormShown(Form& form) = 0;
  virtual void FormChanged(Form& form) = 0;  // title, background, visibility, default button, pointer
  virtual void FormDestroyed(Form& form) = 0;
  virtual void ControlCreated(Control& control) = 0;
  virtual void ControlChanged(Control& control, Property property) = 0;
  virtual void ControlRemoved(Control& control) = 0;
  virtual void TimerChanged(Timer& timer) = 0;
  virtual Control* Focused(const Form& form) = 0;
  // Lets the window handle what is pending: clicks, keys, paints, due timers.
  virtual void DoEvents() = 0;
  // Handles events until EndProgram is called.
  virtual void Run() = 0;
  virtual void EndProgram() = 0;
  // A JPEG (or other picture) file; nothing when it cannot be read.
  virtual Picture LoadPicture(const std::wstring& file) = 0;
  // A picture that the program carries with it, by name.
  virtual Picture ResourcePicture(const std::wstring& name) = 0;
  // Puts `proc` in the place of the form window's procedure and returns the
  // one it replaced, which `proc` calls for what the window would have
  // answered. Putting the returned one back restores the window. Nothing
  // (an empty procedure) when the form has no window.
  virtual WindowProc ReplaceWindowProc(Form& form, WindowProc proc) = 0;
  // The form's taskbar button shows the progress (state None clears it).
  // Each call reaches another process: call it when the picture changes.
  // False when the system refused (no taskbar, no button, no window).
  virtual bool ShowTaskbarProgress(Form& form, const TaskbarProgress& progress) = 0;
  // Whether the form's window is the one the user works in.
  virtual bool InFront(Form& form) = 0;
  // Flashes the form's taskbar button until the user brings the window to
  // the front; false when the system refused.
  virtual bool FlashTaskbarButton(Form& form) = 0;
};

// The backend installed with the platform.
ToolkitBackend& Toolkit();
void InstallToolkit(ToolkitBackend* backend);
// Short for Toolkit().DoEvents().
void DoEvents();

}  // namespace vantrel
