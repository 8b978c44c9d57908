// The toolkit kept in memory. DoEvents runs what a test scheduled and the
// timers that the virtual clock says are due, so a test clicks, waits and
// reads captions without a window.
#pragma once
#include <functional>
#include <map>
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

  void FormShown(Form&) override { ++shownForms; }
  void FormChanged(Form&) override {}
  void FormDestroyed(Form&) override;
  void ControlCreated(Control&) override {}
  void ControlChanged(Control& control, Property property) override;
  void ControlRemoved(Control& control) override;
  void TimerChanged(Timer& timer) override;
  void DoEvents() override;
  void Run() override {}
  void EndProgram() override { ended = true; }
  Picture LoadPicture(const std::wstring& file) override;
  Picture ResourcePicture(const std::wstring& name) override;

 private:
  struct Scheduled {
    uint64_t at;
    std::function<void()> fn;
  };
  FakeClock& clock_;
  FileSystem& files_;
  std::vector<Scheduled> scheduled_;
  std::map<Timer*, uint64_t> due_;
  std::map<std::wstring, Picture> resources_;
};

}  // namespace vantrel::fake
