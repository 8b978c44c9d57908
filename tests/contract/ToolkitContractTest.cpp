// The Win32 toolkit mirrors the retained model into real windows as the
// logic relies on: progress bars told only what changed (and right beyond
// 32 bits), and a DoEvents that always hands control back, quickly. The
// disk page's tips, the history list and the Enter and Esc buttons are the
// journeys', which read them from the real program.
#include <gtest/gtest.h>

#include "platform/Toolkit.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/WinApi.h"

#include <commctrl.h>

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

}  // namespace
}  // namespace vantrel::contract
