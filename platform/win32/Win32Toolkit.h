// The toolkit mirrored into real Win32 windows: one top-level window per
// form, a borderless child panel per container, and the standard controls.
#pragma once
#include <map>
#include <tuple>

#include "platform/Toolkit.h"

namespace vantrel::win32 {

class Win32Toolkit : public ToolkitBackend {
 public:
  Win32Toolkit();
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  void FormShown(Form& form) override;
  void FormChanged(Form& form) override;
  void FormDestroyed(Form& form) override;
  void ControlCreated(Control& control) override;
  void ControlChanged(Control& control, Property property) override;
  void ControlRemoved(Control& control) override;
  void TimerChanged(Timer& timer) override;
  Control* Focused(const Form& form) override;
  void DoEvents() override;
  void Run() override;
  void EndProgram() override;
  Picture LoadPicture(const std::wstring& file) override;
  Picture ResourcePicture(const std::wstring& name) override;
  WindowProc ReplaceWindowProc(Form& form, WindowProc proc) override;
  bool ShowTaskbarProgress(Form& form, const TaskbarProgress& progress) override;
  bool InFront(Form& form) override;
  bool FlashTaskbarButton(Form& form) override;

  // The window procedures' way back in; defined with the Win32 types.
  struct Impl;

 private:
  Impl* impl_;
};

}  // namespace vantrel::win32
