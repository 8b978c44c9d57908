// The toolkit kept in memory. DoEvents runs what a test scheduled and the
// timers that the virtual clock says are due, so a test clicks, waits and
// reads captions without a window.
#pragma once
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Toolkit.h"
#include "platform/fake/FakeSystem.h"

namespace vantrel::fake {

class FakeToolkit : public ToolkitBackend {
 public:
  FakeToolkit(FakeClock& clock, FileSystem& files) : clock_(clock), files_(files) {}

  // Runs fn at the first DoEvents at or after the virtual time `atMs`.
  void At(uint64_t atMs, std::function<void()> fn);
  // Lets virtual time pass in steps, handling events as a window would.
  void RunFor(uint32_t ms, uint32_t stepMs = 10);

  bool ended = false;
  int shownForms = 0;
  Control* focused = nullptr;
  // The tips the backend carries, as a window would: set when a control's
  // text changes, gone with the control or with an empty text.
  std::map<const Control*, std::wstring> toolTips;
  // How often each control's text or value changed: a window draws it each
  // time.
  std::map<const Control*, int> changes;

  // What a person sees when resting the mouse on the control: nothing over
  // a control that is hidden (or inside a hidden container) or disabled,
  // since neither receives the mouse.
  std::wstring HoverText(const Control& control) const;

  // What each report list shows, as a window would from what it was told:
  // its columns, and every row cut or padded to as many cells as there are
  // columns.
  struct ListShown {
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
  };
  std::map<const Control*, ListShown> lists;

  // Every taskbar call, in order, and the form in front (none: the user
  // works in another program). Windows takes the calls only for a window it
  // shows.
  std::vector<TaskbarProgress> taskbar;
  int flashes = 0;
  Form* front = nullptr;

  // A key as Windows' dialog manager and the controls handle it: Tab and
  // Shift+Tab walk the Tab stops shown and enabled, in the order the
  // windows were made, round the end; an arrow moves among the elements of
  // a focusable array, or among a group's option buttons selecting each;
  // Space clicks the focused control if it is one that clicks; Enter
  // presses the default button. A control hidden with the focus leaves
  // nobody focused, so keys then reach nothing.
  enum class Key { Tab, ShiftTab, Left, Right, Up, Down, Space, Enter };
  void Press(Form& form, Key key);

  // What a form's window answers by itself to a message nobody replaced
  // (Windows' default procedure grants a power broadcast with 1, Wine's
  // answers 0).
  intptr_t ownAnswer = 1;
  // Delivers a message to the form's window as the system would, through
  // whatever procedure replaced its own. False when the form has no window.
  std::optional<intptr_t> Send(Form& form, uint32_t message, uintptr_t wParam, intptr_t lParam);

  void FormShown(Form& form) override {
    ++shownForms;
    windows_.insert(&form);
  }
  void FormChanged(Form&) override {}
  void FormDestroyed(Form&) override;
  void ControlCreated(Control&) override {}
  void ControlChanged(Control& control, Property property) override;
  void ControlRemoved(Control& control) override;
  void TimerChanged(Timer& timer) override;
  Control* Focused(const Form& form) override { return focused && &focused->form() == &form ? focused : nullptr; }
  void DoEvents() override;
  void Run() override {}
  void EndProgram() override { ended = true; }
  Picture LoadPicture(const std::wstring& file) override;
  Picture ResourcePicture(const std::wstring& name) override;
  WindowProc ReplaceWindowProc(Form& form, WindowProc proc) override;
  bool ShowTaskbarProgress(Form& form, const TaskbarProgress& progress) override {
    taskbar.push_back(progress);
    return windows_.count(&form) && form.Visible();
  }
  bool InFront(Form& form) override { return front == &form && form.Visible(); }
  bool FlashTaskbarButton(Form& form) override {
    ++flashes;
    return windows_.count(&form) && form.Visible();
  }

 private:
  struct Scheduled {
    uint64_t at;
    std::function<void()> fn;
  };
  void ShowList(const Control& control);
  void WindowOrder(const Form& form, const Control* parent, std::vector<Control*>& order) const;

  FakeClock& clock_;
  FileSystem& files_;
  std::vector<Scheduled> scheduled_;
  std::map<Timer*, uint64_t> due_;
  std::map<std::wstring, Picture> resources_;
  std::set<Form*> windows_;
  std::map<Form*, WindowProc> procs_;
};

}  // namespace vantrel::fake
