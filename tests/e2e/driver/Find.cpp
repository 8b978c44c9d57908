// Window lookup by title, class and control id.
#include "tests/e2e/driver/Find.h"

#include "tests/e2e/driver/Common.h"

namespace vdriver {
namespace {

constexpr std::wstring_view kMainTitle = L"Vantrel";
constexpr std::wstring_view kDialogClass = L"#32770";
constexpr std::wstring_view kToolTipClass = L"tooltips_class32";

BOOL CALLBACK Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// With two copies of the program open, VDRIVER_PID names the process whose
// windows the driver sees; every other window is as if it were not there.
DWORD OnlyProcess() {
  wchar_t text[16] = {};
  const DWORD length = GetEnvironmentVariableW(L"VDRIVER_PID", text, 16);
  if (length == 0) return 0;
  wchar_t* end = nullptr;
  const unsigned long pid = wcstoul(text, &end, 10);
  if (length >= 16 || *end != L'\0' || pid == 0) {
    Fail(L"VDRIVER_PID is not a process id: '" + std::wstring(text) + L"'");
  }
  return pid;
}

std::vector<HWND> VisibleTopLevel() {
  static const DWORD only = OnlyProcess();
  std::vector<HWND> all;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
  std::erase_if(all, [](HWND w) { return !IsWindowVisible(w) || (only && ProcessOf(w) != only); });
  return all;
}

}  // namespace

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

std::wstring TitleOf(HWND window) {
  wchar_t title[512] = {};
  GetWindowTextW(window, title, 512);
  return title;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

// GetWindowText does not read the text of another process's controls, and a
// hung program must not hang the driver, hence the timed message.
std::wstring TextOf(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &length)) {
    Fail(L"the control does not answer WM_GETTEXTLENGTH within " + SecondsText(kAnswerMs / 1000.0));
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kAnswerMs, &copied)) {
    Fail(L"the control does not answer WM_GETTEXT within " + SecondsText(kAnswerMs / 1000.0));
  }
  text.resize(copied);
  return text;
}

HWND FindTitled(std::wstring_view prefix) {
  for (HWND w : VisibleTopLevel()) {
    if (TitleOf(w).starts_with(prefix)) return w;
  }
  return nullptr;
}

std::vector<HWND> FindMainWindows() {
  std::vector<HWND> mains = VisibleTopLevel();
  std::erase_if(mains, [](HWND w) { return !TitleOf(w).starts_with(kMainTitle) || ClassOf(w) == kDialogClass; });
  return mains;
}

HWND FindMainWindow() {
  const std::vector<HWND> mains = FindMainWindows();
  return mains.empty() ? nullptr : mains.front();
}

HWND RequireMainWindow() {
  HWND main = FindMainWindow();
  if (!main) Fail(L"no main window '" + std::wstring(kMainTitle) + L"'");
  return main;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&all));
  return all;
}

// Two windows with one id would make every test of that control ambiguous.
HWND RequireControl(HWND main, int id, std::wstring_view label) {
  std::vector<HWND> found = Descendants(main);
  std::erase_if(found, [id](HWND w) { return GetDlgCtrlID(w) != id; });
  if (found.empty()) Fail(L"no control " + std::wstring(label) + L" in the main window");
  if (found.size() > 1) {
    Fail(L"control " + std::wstring(label) + L" is " + std::to_wstring(found.size()) +
         L" windows, not one");
  }
  return found.front();
}

HWND FrontOf(HWND window) {
  if (IsWindowEnabled(window)) return window;
  for (HWND w : VisibleTopLevel()) {
    if (GetWindow(w, GW_OWNER) == window) return FrontOf(w);
  }
  return window;
}

std::vector<HWND> FindMessageBoxes() {
  std::vector<HWND> boxes = VisibleTopLevel();
  std::erase_if(boxes, [](HWND w) { return ClassOf(w) != kDialogClass; });
  return boxes;
}

HWND FindShownToolTip(HWND window) {
  for (HWND w : VisibleTopLevel()) {
    if (ProcessOf(w) == ProcessOf(window) && ClassOf(w) == kToolTipClass) return w;
  }
  return nullptr;
}

}  // namespace vdriver
