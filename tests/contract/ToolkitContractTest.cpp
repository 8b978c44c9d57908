// The Win32 toolkit as the logic relies on it: tooltips that follow their
// controls, progress bars that are told only what changed (and stay right
// beyond 32 bits), report lists that show the model's rows, a text box and
// the Enter and Esc buttons, and a DoEvents that always hands control back,
// quickly.
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

constexpr int64_t kTiB = int64_t{1} << 40;

class ToolkitContract : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static win32::Win32Toolkit toolkit;
    InstallToolkit(&toolkit);
  }
  static void TearDownTestSuite() { InstallToolkit(nullptr); }

  // A shown form with a panel, as the disk panel is built: label slots of
  // an array and an image.
  void MakeForm() {
    form = std::make_unique<Form>(L"Contract", 6000, 4000);
    form->SetCaption(title);
    Control& panel = form->Add(ControlKind::Container, L"Picture1", 100, nullptr, {0, 0, 6000, 4000});
    label = &form->Add(ControlKind::Label, L"DiskLabel", 200, &panel, {300, 300, 1500, 600}, 0);
    label->SetCaption(L"C:");
    image = &form->Add(ControlKind::Image, L"DiskImage", 300, &panel, {2400, 300, 900, 900});
    bar = &form->Add(ControlKind::ProgressBar, L"ProgressBar1", 400, nullptr, {300, 2500, 5000, 300});
  }
  void Show() {
    form->SetVisible(true);
    formWindow = FindWindowW(L"VantrelForm", title.c_str());
    ASSERT_NE(formWindow, nullptr) << "no window for the form: these tests need a display";
  }
  void TearDown() override { form.reset(); }

  HWND WindowOf(int id) const {
    struct Search {
      int id;
      HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        formWindow,
        [](HWND w, LPARAM p) {
          auto* s = reinterpret_cast<Search*>(p);
          if (GetDlgCtrlID(w) == s->id) s->found = w;
          return s->found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  HWND Tips() const {
    struct Search {
      HWND owner, found;
    } search{formWindow, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) {
          auto* s = reinterpret_cast<Search*>(p);
          wchar_t cls[64] = {};
          GetClassNameW(w, cls, 64);
          if (GetWindow(w, GW_OWNER) == s->owner && std::wstring(cls) == TOOLTIPS_CLASSW) s->found = w;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  int ToolCount() const { return static_cast<int>(SendMessageW(Tips(), TTM_GETTOOLCOUNT, 0, 0)); }
  std::wstring TipOf(int id) const {
    HWND control = WindowOf(id);
    wchar_t text[512] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageW(Tips(), TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return text;
  }

  std::wstring title = L"Toolkit contract " + std::to_wstring(GetTickCount64());
  std::unique_ptr<Form> form;
  Control* label = nullptr;
  Control* image = nullptr;
  Control* bar = nullptr;
  HWND formWindow = nullptr;
};

TEST_F(ToolkitContract, ToolTipsFollowTheirControls) {
  MakeForm();
  const std::wstring twoLines = L"C: Local disk\nNTFS, 120 GB free";
  label->SetToolTip(twoLines);  // before the window exists
  Show();
  image->SetToolTip(L"Fixed disk");
  ASSERT_NE(Tips(), nullptr);
  EXPECT_EQ(ToolCount(), 2);
  EXPECT_EQ(TipOf(200), twoLines);
  EXPECT_EQ(TipOf(300), L"Fixed disk");
  // Without a width the tip would show the lines as one.
  EXPECT_GT(SendMessageW(Tips(), TTM_GETMAXTIPWIDTH, 0, 0), 0);

  label->SetToolTip(L"D: Stick");
  EXPECT_EQ(TipOf(200), L"D: Stick");
  EXPECT_EQ(ToolCount(), 2);

  Control* second = form->Load(L"DiskLabel", 1);
  second->SetToolTip(L"E:");
  EXPECT_EQ(ToolCount(), 3);
  form->Unload(L"DiskLabel", 1);
  EXPECT_EQ(ToolCount(), 2);

  image->SetToolTip(L"");
  EXPECT_EQ(ToolCount(), 1);
  EXPECT_EQ(TipOf(200), L"D: Stick");
}

// A person rests the mouse on a label and reads the tip: the static control
// must let the tooltip see the mouse.
TEST_F(ToolkitContract, ToolTipShowsWhileTheMouseRestsOnALabel) {
  MakeForm();
  label->SetToolTip(L"C: Local disk\nNTFS");
  Show();
  SetForegroundWindow(formWindow);
  RECT r{};
  GetWindowRect(WindowOf(200), &r);
  const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  SetCursorPos(centre.x, centre.y);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  move.mi.dx = MulDiv(centre.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  move.mi.dy = MulDiv(centre.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  SendInput(1, &move, sizeof move);
  const ULONGLONG deadline = GetTickCount64() + 3000;
  while (!IsWindowVisible(Tips()) && GetTickCount64() < deadline) {
    DoEvents();
    Sleep(20);
  }
  ASSERT_TRUE(IsWindowVisible(Tips())) << "no tip within 3 s of the mouse resting on the label";
  wchar_t shown[256] = {};
  SendMessageW(Tips(), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(shown));
  EXPECT_STREQ(shown, L"C: Local disk\nNTFS");
}

// What a progress bar's window receives: recorded by subclassing it.
std::vector<UINT> g_received;
WNDPROC g_barProc = nullptr;
LRESULT CALLBACK Recording(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const bool told = (msg >= WM_USER && msg < 0x8000) || msg == WM_SETFONT || msg == WM_ENABLE ||
                    msg == WM_SHOWWINDOW || msg == WM_WINDOWPOSCHANGING;
  if (told) g_received.push_back(msg);
  return CallWindowProcW(g_barProc, hwnd, msg, wp, lp);
}

TEST_F(ToolkitContract, ProgressBarIsToldOnlyWhatChangedAndStaysRightBeyond32Bits) {
  MakeForm();
  Show();
  HWND window = WindowOf(400);
  g_barProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Recording)));
  auto position = [&] { return static_cast<int64_t>(SendMessageW(window, PBM_GETPOS, 0, 0)); };
  auto top = [&] { return static_cast<int64_t>(SendMessageW(window, PBM_GETRANGE, FALSE, 0)); };

  bar->SetMax(1000);
  EXPECT_EQ(top(), 1000);
  g_received.clear();
  bar->SetValue(500);
  EXPECT_EQ(g_received, std::vector<UINT>{PBM_SETPOS});
  EXPECT_EQ(position(), 500);

  bar->SetMax(5 * kTiB);
  bar->SetValue(2 * kTiB);
  EXPECT_LE(top(), 0x7FFFFFFF);
  EXPECT_EQ(position() * 5, top() * 2);
  g_received.clear();
  bar->SetValue(2 * kTiB + 4096);  // less than one step of the scaled bar
  EXPECT_TRUE(g_received.empty());

  bar->SetMax(100);  // the value comes down with the maximum
  EXPECT_EQ(top(), 100);
  EXPECT_EQ(position(), 100);
  bar->SetMax(1000);
  bar->SetValue(40);
  EXPECT_EQ(position(), 40);
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_barProc));
}

TEST_F(ToolkitContract, DoEventsReturnsWhileATimerOutrunsItsInterval) {
  MakeForm();
  Show();
  Timer& timer = form->AddTimer(L"Busy", 10);
  int ticks = 0;
  timer.onTick = [&] {
    Sleep(30);
    if (++ticks == 300) timer.SetEnabled(false);  // keeps a broken DoEvents from hanging the test
  };
  timer.SetEnabled(true);
  Sleep(50);
  const ULONGLONG start = GetTickCount64();
  DoEvents();
  const ULONGLONG took = GetTickCount64() - start;
  timer.SetEnabled(false);
  EXPECT_GE(ticks, 1);
  EXPECT_LT(took, 1000u) << ticks << " ticks in one DoEvents";
}

// A run calls DoEvents after every block it writes, so one call with
// nothing to do must cost next to nothing.
TEST_F(ToolkitContract, DoEventsWithNothingPendingIsCheap) {
  MakeForm();
  Show();
  for (int i = 0; i < 50; ++i) DoEvents();
  constexpr int kCalls = 20000;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kCalls; ++i) DoEvents();
  const double us =
      std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / kCalls;
  std::printf("measured: DoEvents with nothing pending: %.1f us per call\n", us);
  RecordProperty("DoEventsIdleMicroseconds", static_cast<int>(us));
  EXPECT_LT(us, 200.0);
}

// The history list: the model's columns in pixels and its rows, set before
// the window exists and after; a row with fewer texts than columns shows
// empty cells, and a new set of rows replaces the old one whole.
TEST_F(ToolkitContract, ReportListShowsTheModelsColumnsAndRows) {
  MakeForm();
  Control& list = form->Add(ControlKind::ListView, L"ListView1", 500, form->Find(L"Picture1"), {300, 1300, 5000, 1000});
  list.SetColumns({{L"Disk", 300}, {L"Info", 2880}});
  list.SetRows({{L"E", L"done"}});
  Show();
  HWND hwnd = WindowOf(500);
  auto cell = [hwnd](int row, int column) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(hwnd, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return std::wstring(text);
  };
  ASSERT_EQ(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(cell(0, 1), L"done");
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(SendMessageW(hwnd, LVM_GETCOLUMNWIDTH, 1, 0), MulDiv(2880, dpi, 1440));

  list.SetRows({{L"F", L"stopped"}, {L"G"}, {L"H", L"x", L"beyond the columns"}});
  ASSERT_EQ(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(cell(0, 0) + L"|" + cell(0, 1), L"F|stopped");
  EXPECT_EQ(cell(1, 0) + L"|" + cell(1, 1), L"G|");
  EXPECT_EQ(cell(2, 2), L"");
  list.SetColumns({{L"Disk", 600}, {L"Info", 1440}});
  EXPECT_EQ(SendMessageW(hwnd, LVM_GETCOLUMNWIDTH, 0, 0), MulDiv(600, dpi, 1440));
  list.SetRows({});
  EXPECT_EQ(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0), 0);
}

// The subscription page's field and buttons: what the user types reaches
// the model without the model moving the caret, Enter's button changes with
// the page, and Esc presses the cancel button only while it can be clicked.
TEST_F(ToolkitContract, TextBoxDefaultAndCancelButtonsFollowTheModel) {
  MakeForm();
  Control& field = form->Add(ControlKind::TextBox, L"Text1", 500, nullptr, {300, 1500, 3000, 345});
  Control& first = form->Add(ControlKind::Button, L"Command2", 501, nullptr, {300, 3200, 1500, 375});
  Control& second = form->Add(ControlKind::Button, L"Command1", 502, nullptr, {2000, 3200, 1500, 375});
  int cancelled = 0;
  second.onClick = [&] { ++cancelled; };
  form->SetDefaultButton(&first);
  form->SetCancelButton(&second);
  field.SetCaption(L"me@example.com");
  ASSERT_NO_FATAL_FAILURE(Show());
  HWND edit = WindowOf(500);
  ASSERT_NE(edit, nullptr);
  wchar_t text[64] = {};
  GetWindowTextW(edit, text, 64);
  EXPECT_EQ(std::wstring(text), L"me@example.com");

  SendMessageW(edit, EM_SETSEL, 14, 14);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"m"));
  EXPECT_EQ(field.Caption(), L"me@example.comm");
  DWORD caret = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
  EXPECT_EQ(caret, 15u);

  const auto look = [&](int id) { return GetWindowLongW(WindowOf(id), GWL_STYLE) & BS_TYPEMASK; };
  EXPECT_EQ(LOWORD(SendMessageW(formWindow, DM_GETDEFID, 0, 0)), 501);
  EXPECT_EQ(look(501), BS_DEFPUSHBUTTON);
  form->SetDefaultButton(&second);
  EXPECT_EQ(LOWORD(SendMessageW(formWindow, DM_GETDEFID, 0, 0)), 502);
  EXPECT_EQ(look(501), BS_PUSHBUTTON);
  EXPECT_EQ(look(502), BS_DEFPUSHBUTTON);

  SendMessageW(formWindow, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(cancelled, 1);
  second.SetEnabled(false);
  SendMessageW(formWindow, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(cancelled, 1);
}

}  // namespace
}  // namespace vantrel::contract
