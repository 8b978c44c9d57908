// The Win32 toolkit mirrors the retained model into real windows as the
// logic relies on: progress bars told only what changed (and right beyond
// 32 bits), a DoEvents that always hands control back, quickly, and taskbar
// calls that a system without a taskbar refuses without harm. The
// disk page's tips, the history list and the Enter and Esc buttons are the
// journeys', which read them from the real program.
#include <gtest/gtest.h>

#include "platform/Toolkit.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/WinApi.h"

#include <commctrl.h>
#include <shobjidl.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace vantrel::contract {
namespace {

class ToolkitContract : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static win32::Win32Toolkit toolkit;
    InstallToolkit(&toolkit);
  }
  static void TearDownTestSuite() { InstallToolkit(nullptr); }
  void TearDown() override { form.reset(); }

  // A shown form with a progress bar.
  void MakeForm() {
    form = std::make_unique<Form>(L"Contract", 6000, 4000);
    form->SetCaption(title);
    bar = &form->Add(ControlKind::ProgressBar, L"ProgressBar1", 400, nullptr, {300, 2500, 5000, 300});
    form->SetVisible(true);
    formWindow = FindWindowW(L"VantrelForm", title.c_str());
    ASSERT_NE(formWindow, nullptr) << "no window for the form: these tests need a display";
  }
  std::wstring title = L"Toolkit contract " + std::to_wstring(GetTickCount64());
  std::unique_ptr<Form> form;
  Control* bar = nullptr;
  HWND formWindow = nullptr;
};

// What a progress bar's window receives, recorded by subclassing it.
std::vector<UINT> g_received;
WNDPROC g_barProc = nullptr;
LRESULT CALLBACK Recording(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if ((msg >= WM_USER && msg < 0x8000) || msg == WM_SETFONT || msg == WM_ENABLE || msg == WM_SHOWWINDOW ||
      msg == WM_WINDOWPOSCHANGING)
    g_received.push_back(msg);
  return CallWindowProcW(g_barProc, hwnd, msg, wp, lp);
}

TEST_F(ToolkitContract, ProgressBarIsToldOnlyWhatChangedAndStaysRightBeyond32Bits) {
  constexpr int64_t kTiB = int64_t{1} << 40;
  MakeForm();
  HWND window = GetDlgItem(formWindow, 400);
  g_barProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Recording)));
  auto position = [&] { return static_cast<int64_t>(SendMessageW(window, PBM_GETPOS, 0, 0)); };
  auto top = [&] { return static_cast<int64_t>(SendMessageW(window, PBM_GETRANGE, FALSE, 0)); };
  bar->SetMax(1000);
  g_received.clear();
  bar->SetValue(500);
  EXPECT_EQ(g_received, std::vector<UINT>{PBM_SETPOS});
  EXPECT_EQ(top() * 1000 + position(), 1000 * 1000 + 500);
  bar->SetMax(5 * kTiB);
  bar->SetValue(2 * kTiB);
  EXPECT_TRUE(top() <= 0x7FFFFFFF && position() * 5 == top() * 2);
  g_received.clear();
  bar->SetValue(2 * kTiB + 4096);  // less than one step of the scaled bar
  EXPECT_TRUE(g_received.empty());
  bar->SetMax(100);  // the value comes down with the maximum
  EXPECT_EQ(top() * 1000 + position(), 100 * 1000 + 100);
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_barProc));
}

// A run calls DoEvents after every block it writes: one with nothing to do
// never waits (a wait of even one tick costs a millisecond; the bound leaves
// a busy machine room), and one with a timer that outruns its interval
// still returns.
TEST_F(ToolkitContract, DoEventsReturnsQuickly) {
  MakeForm();
  Timer& timer = form->AddTimer(L"Busy", 10);
  int ticks = 0;
  timer.onTick = [&] {
    Sleep(30);
    if (++ticks == 300) timer.SetEnabled(false);  // keeps a broken DoEvents from hanging the test
  };
  timer.SetEnabled(true);
  Sleep(50);
  ULONGLONG start = GetTickCount64();
  DoEvents();
  EXPECT_LT(GetTickCount64() - start, 1000u) << ticks << " ticks in one DoEvents";
  EXPECT_GE(ticks, 1);
  timer.SetEnabled(false);
  for (int i = 0; i < 50; ++i) DoEvents();
  const auto began = std::chrono::steady_clock::now();
  for (int i = 0; i < 20000; ++i) DoEvents();
  const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - began).count() / 20000;
  std::printf("measured: DoEvents with nothing pending: %.1f us per call\n", us);
  EXPECT_LT(us, 900.0);
}

// A run tells the taskbar button its progress and flashes it at the end. A
// system may have no taskbar (Wine without its desktop, a server core): the
// calls then fail and the window goes on as before. What the shell itself
// answered is printed for the record.
TEST_F(ToolkitContract, TaskbarCallsAreTakenOrRefusedWithoutHarm) {
  MakeForm();
  ToolkitBackend& toolkit = Toolkit();
  for (TaskbarState state : {TaskbarState::Normal, TaskbarState::Paused, TaskbarState::Error, TaskbarState::None})
    std::printf("measured: taskbar state %d at 50/200: %s\n", static_cast<int>(state),
                toolkit.ShowTaskbarProgress(*form, {state, 50, 200}) ? "taken" : "refused");
  std::printf("measured: taskbar flash: %s\n", toolkit.FlashTaskbarButton(*form) ? "taken" : "refused");
  SetForegroundWindow(formWindow);
  const bool inFront = toolkit.InFront(*form);
  form->SetVisible(false);
  EXPECT_FALSE(toolkit.InFront(*form));
  std::printf("measured: shown window in front after SetForegroundWindow: %d\n", inFront);
  Form never(L"Never shown", 1000, 1000);
  EXPECT_FALSE(toolkit.ShowTaskbarProgress(never, {TaskbarState::Normal, 1, 2}) || toolkit.FlashTaskbarButton(never) ||
               toolkit.InFront(never));
  DWORD_PTR answer = 0;
  EXPECT_TRUE(IsWindow(formWindow) && SendMessageTimeoutW(formWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer));
  ITaskbarList3* shell = nullptr;
  const HRESULT made = CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                        reinterpret_cast<void**>(&shell));
  std::printf("measured: HRESULT CoCreateInstance(TaskbarList, ITaskbarList3) 0x%08lX\n", static_cast<unsigned long>(made));
  if (SUCCEEDED(made)) {
    const HRESULT results[] = {shell->HrInit(), shell->SetProgressState(formWindow, TBPF_PAUSED),
                               shell->SetProgressValue(formWindow, 50, 200), shell->SetProgressState(formWindow, TBPF_NOPROGRESS)};
    std::printf("measured: HRESULT HrInit 0x%08lX, SetProgressState 0x%08lX, SetProgressValue 0x%08lX, cleared 0x%08lX\n",
                static_cast<unsigned long>(results[0]), static_cast<unsigned long>(results[1]),
                static_cast<unsigned long>(results[2]), static_cast<unsigned long>(results[3]));
    shell->Release();
  }
}

}  // namespace
}  // namespace vantrel::contract
