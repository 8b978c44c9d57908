// Mouse and keyboard through SendInput, so the program sees the same message
// sequence (activation, focus, button down/up, key down/up) as with a person.
#include "tests/e2e/driver/Input.h"

#include "tests/e2e/driver/Common.h"
#include "tests/e2e/driver/Find.h"

#include <algorithm>

namespace vdriver {
namespace {

constexpr DWORD kSettleMs = 150;

struct KeyName {
  std::wstring_view name;
  WORD vk;
};

constexpr KeyName kModifiers[] = {{L"SHIFT", VK_SHIFT}, {L"CTRL", VK_CONTROL}, {L"ALT", VK_MENU}};
constexpr KeyName kKeys[] = {
    {L"TAB", VK_TAB},   {L"ENTER", VK_RETURN}, {L"SPACE", VK_SPACE}, {L"ESC", VK_ESCAPE},
    {L"LEFT", VK_LEFT}, {L"RIGHT", VK_RIGHT},  {L"UP", VK_UP},       {L"DOWN", VK_DOWN},
    {L"F4", VK_F4},
};

template <size_t N>
WORD Lookup(const KeyName (&table)[N], std::wstring_view name) {
  for (const KeyName& k : table) {
    if (k.name == name) return k.vk;
  }
  return 0;
}

INPUT KeyInput(WORD vk, bool up) {
  const bool extended = vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN;
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
  return in;
}

INPUT MouseInput(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  return in;
}

void Send(std::vector<INPUT> inputs) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) Fail(L"SendInput refused the input (error " + std::to_wstring(GetLastError()) + L")");
}

POINT CentreShowing(HWND control, std::wstring_view label, bool tipsAllowed) {
  RECT r{};
  GetWindowRect(control, &r);
  const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  HWND hit = WindowFromPoint(centre);
  if (tipsAllowed && hit && ClassOf(hit) == L"tooltips_class32") return centre;
  if (!hit || GetAncestor(hit, GA_ROOT) != GetAncestor(control, GA_ROOT)) {
    Fail(L"the centre of " + std::wstring(label) + L" shows another window" +
         (hit ? L" ('" + TitleOf(GetAncestor(hit, GA_ROOT)) + L"')" : L" (off the screen)"));
  }
  return centre;
}

// The program sees the mouse arrive as input, not only as a cursor that
// jumped: an absolute move to where SetCursorPos put it.
void MoveMouseTo(POINT at) {
  SetCursorPos(at.x, at.y);
  INPUT move = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
  move.mi.dx = MulDiv(at.x, 65535, std::max(1, GetSystemMetrics(SM_CXSCREEN) - 1));
  move.mi.dy = MulDiv(at.y, 65535, std::max(1, GetSystemMetrics(SM_CYSCREEN) - 1));
  Send({move});
}

}  // namespace

// The box a window waits for comes first, as Windows does on a click on the
// taskbar. Wine would make the disabled owner the foreground window, and keys
// would reach nobody; it forgets the box for GetLastActivePopup then, too.
// Nor does activating raise a window there, with no window manager to do
// it, so another copy's window would stay on top: the window and its box
// are raised, as a click on them would.
void BringToFront(HWND window) {
  HWND front = FrontOf(window);
  for (HWND w : {window, front}) SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetForegroundWindow(front);
  WaitFor(1.0, [front] { return GetForegroundWindow() == front; });
}

void ClickCentre(HWND control, std::wstring_view label) {
  const POINT centre = CentreShowing(control, label, false);
  SetCursorPos(centre.x, centre.y);
  Send({MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)});
}

void RestMouseOn(HWND control, std::wstring_view label) { MoveMouseTo(CentreShowing(control, label, true)); }

void MouseAway() { MoveMouseTo({0, 0}); }

void Settle(HWND window) {
  Sleep(kSettleMs);
  DWORD_PTR ignored = 0;
  if (window) SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &ignored);
}

KeyCombo ParseKey(std::wstring_view text) {
  KeyCombo combo{{}, 0};
  std::wstring_view rest = text;
  for (size_t plus; (plus = rest.find(L'+')) != std::wstring_view::npos; rest = rest.substr(plus + 1)) {
    const WORD modifier = Lookup(kModifiers, rest.substr(0, plus));
    if (!modifier) Fail(L"no modifier key '" + std::wstring(rest.substr(0, plus)) + L"' (SHIFT, CTRL, ALT)");
    combo.modifiers.push_back(modifier);
  }
  combo.key = Lookup(kKeys, rest);
  if (!combo.key) Fail(L"no key '" + std::wstring(rest) + L"' (TAB ENTER SPACE ESC LEFT RIGHT UP DOWN F4)");
  return combo;
}

void PressKey(const KeyCombo& combo) {
  std::vector<INPUT> inputs;
  for (WORD m : combo.modifiers) inputs.push_back(KeyInput(m, false));
  inputs.push_back(KeyInput(combo.key, false));
  inputs.push_back(KeyInput(combo.key, true));
  for (auto m = combo.modifiers.rbegin(); m != combo.modifiers.rend(); ++m) inputs.push_back(KeyInput(*m, true));
  Send(inputs);
}

void TypeOverSelection(std::wstring_view text) {
  std::vector<INPUT> inputs{KeyInput(VK_DELETE, false), KeyInput(VK_DELETE, true)};
  for (wchar_t c : text) {
    for (const bool up : {false, true}) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wScan = c;
      in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(in);
    }
  }
  Send(inputs);
}

}  // namespace vdriver
