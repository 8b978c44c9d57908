// The Win32 toolkit mirrors the retained model into real windows as the
// logic relies on: tooltips that follow their controls, progress bars told
// only what changed (and right beyond 32 bits), and a DoEvents that always
// hands control back, quickly. The history list and the Enter and Esc
// buttons the end-to-end tests of those pages read from the real program.
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

  // A form with a panel, as the disk panel is built (a label slot of an
  // array and an image), and a progress bar; shown when `show`.
  void MakeForm(bool show = true) {
    form = std::make_unique<Form>(L"Contract", 6000, 4000);
    form->SetCaption(title);
    Control& panel = form->Add(ControlKind::Container, L"Picture1", 100, nullptr, {0, 0, 6000, 4000});
    label = &form->Add(ControlKind::Label, L"DiskLabel", 200, &panel, {300, 300, 1500, 600}, 0);
    image = &form->Add(ControlKind::Image, L"DiskImage", 300, &panel, {2400, 300, 900, 900});
    bar = &form->Add(ControlKind::ProgressBar, L"ProgressBar1", 400, nullptr, {300, 2500, 5000, 300});
    if (show) Show();
  }
  void Show() {
    form->SetVisible(true);
    formWindow = FindWindowW(L"VantrelForm", title.c_str());
    ASSERT_NE(formWindow, nullptr) << "no window for the form: these tests need a display";
  }
  HWND WindowOf(int id) const {
    std::pair<int, HWND> search{id, nullptr};
    EnumChildWindows(
        formWindow,
        [](HWND w, LPARAM p) {
          auto* s = reinterpret_cast<std::pair<int, HWND>*>(p);
          if (GetDlgCtrlID(w) == s->first) s->second = w;
          return s->second ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
  }
  HWND Tips() const {
    std::pair<HWND, HWND> search{formWindow, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) {
          auto* s = reinterpret_cast<std::pair<HWND, HWND>*>(p);
          wchar_t cls[64] = {};
          GetClassNameW(w, cls, 64);
          if (GetWindow(w, GW_OWNER) == s->first && std::wstring(cls) == TOOLTIPS_CLASSW) s->second = w;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
  }
  int ToolCount() const { return static_cast<int>(SendMessageW(Tips(), TTM_GETTOOLCOUNT, 0, 0)); }
  std::wstring TipOf(int id) const {
    wchar_t text[512] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = GetParent(WindowOf(id));
    tool.uId = reinterpret_cast<UINT_PTR>(WindowOf(id));
    tool.lpszText = text;
    SendMessageW(Tips(), TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return text;
  }

  std::wstring title = L"Toolkit contract " + std::to_wstring(GetTickCount64());
  std::unique_ptr<Form> form;
  Control *label = nullptr, *image = nullptr, *bar = nullptr;
  HWND formWindow = nullptr;
};

// Set before the window exists and after, changed, added with a new member
// of the array, removed with it or by empty text, two lines kept apart.
// (That one shows while the mouse rests on a label, the end-to-end test of
// the disk page proves with the real program.)
TEST_F(ToolkitContract, ToolTipsFollowTheirControls) {
  MakeForm(false);
  label->SetToolTip(L"C: Local disk\nNTFS");
  Show();
  image->SetToolTip(L"Fixed disk");
  ASSERT_NE(Tips(), nullptr);
  EXPECT_TRUE(ToolCount() == 2 && TipOf(200) == L"C: Local disk\nNTFS" && TipOf(300) == L"Fixed disk");
  EXPECT_GT(SendMessageW(Tips(), TTM_GETMAXTIPWIDTH, 0, 0), 0);  // else the lines show as one
  label->SetToolTip(L"C: Local disk\nNTFS, 120 GB free");
  EXPECT_TRUE(ToolCount() == 2 && TipOf(200) == L"C: Local disk\nNTFS, 120 GB free");
  form->Load(L"DiskLabel", 1)->SetToolTip(L"E:");
  EXPECT_EQ(ToolCount(), 3);
  form->Unload(L"DiskLabel", 1);
  image->SetToolTip(L"");
  EXPECT_EQ(ToolCount(), 1);
}

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
  HWND window = WindowOf(400);
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
// costs next to nothing, and one with a timer that outruns its interval
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
  EXPECT_LT(us, 200.0);
}

}  // namespace
}  // namespace vantrel::contract
