// vdriver: drives Vantrel.exe from outside as a person would (the commands
// are in kCommands below). Several commands may go in one process, separated
// by a lone "/": they run in order and the first failure ends the process
// (a Wine process start costs about 0.2 s). With two copies open,
// VDRIVER_PID=<id> (ids from "pids") makes it see only that one. Exit code
// 0 on success; 1 with a one-line reason on stderr otherwise. Results go to
// stdout in UTF-8 with "\n" line ends.
//
// Why it works the way it does, as tried under Wine 8 on Xvfb without a
// window manager:
// - Clicks are real input (SetCursorPos + SendInput) and land: buttons send
//   WM_COMMAND, check boxes and option buttons toggle and take the focus.
//   Before clicking, the driver checks that the control's centre shows the
//   main window, so a message box on top makes the click fail loudly
//   instead of going astray.
// - SetForegroundWindow from this console process works (no foreground
//   lock), and the console opens no window of its own, so keys sent with
//   SendInput reach the program: TAB and SHIFT+TAB walk nested containers
//   that have WS_EX_CONTROLPARENT, ENTER answers a box, ALT+F4 closes.
//   Activating a window that waits for a modal box makes the disabled
//   window the foreground one, and keys then reach nobody, so the box is
//   what gets activated (BringToFront).
// - A thread that hides a top-level window (a message box closing) stalls
//   for about 2 s waiting for a window manager that never answers. Commands
//   that give input therefore wait until the program answers a message
//   again (Settle), and every message has a 5 s limit.
// - PrintWindow draws nothing for another process's window, so screenshots
//   copy the screen: they show what a person sees, a box on top included.
//   Nobody draws frames and title bars, so the picture is the client area.
// - A dosdevices link made while Wine runs is not seen until Wine restarts;
//   asking the mount manager for the letter (plug, unplug) is seen at once,
//   as a stick would be.
// - GetWindowText does not read another process's controls; WM_GETTEXT
//   through SendMessageTimeout does, and cannot hang the driver.
// - A screen reader's view of a control (command name) comes from oleacc:
//   the program's windows do not answer WM_GETOBJECT, so Wine's standard
//   object names a control by its window text, as Windows' does.
// - A tooltip shows when the mouse rests on its control and comes as input
//   (SetCursorPos alone may not move the pointer the program sees), and
//   only after the tip's delay. Its text is read like a control's, from the
//   top-level tooltip window, while that shows.
#include "tests/e2e/driver/Accessible.h"
#include "tests/e2e/driver/AnswerWatch.h"
#include "tests/e2e/driver/Common.h"
#include "tests/e2e/driver/ControlNames.h"
#include "tests/e2e/driver/Find.h"
#include "tests/e2e/driver/Input.h"
#include "tests/e2e/driver/ListView.h"
#include "tests/e2e/driver/MessageBoxes.h"
#include "tests/e2e/driver/Plug.h"
#include "tests/e2e/driver/Power.h"
#include "tests/e2e/driver/RecycleBin.h"
#include "tests/e2e/driver/Screenshot.h"
#include "tests/e2e/driver/Session.h"
#include "tests/e2e/driver/ShellLink.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <vector>

namespace vdriver {
namespace {

using Args = std::vector<std::wstring>;

constexpr DWORD kBetweenKeysMs = 80;

void WaitWindow(const Args& a) {
  const double seconds = ParseSeconds(a[1]);
  HWND w = WaitFor(seconds, [&] { return FindTitled(a[0]); });
  if (!w) Fail(L"no window '" + a[0] + L"' after " + SecondsText(seconds));
  PrintLine(TitleOf(w));
}

// One line per copy of the program showing its main window: its process id,
// for VDRIVER_PID.
void Pids(const Args&) {
  for (HWND w : FindMainWindows()) PrintLine(std::to_wstring(ProcessOf(w)));
}

void Title(const Args&) {
  PrintLine(TitleOf(RequireMainWindow()));
}

HWND ControlOf(const std::wstring& text) {
  HWND main = RequireMainWindow();
  const ControlRef ref = ParseControl(text, main);
  return RequireControl(main, ref.id, ref.label);
}

void Caption(const Args& a) {
  PrintLine(TextOf(ControlOf(a[0])));
}

// What a screen reader says for the control.
void Name(const Args& a) {
  PrintLine(AccessibleNameOf(ControlOf(a[0])));
}

void State(const Args& a) {
  HWND c = ControlOf(a[0]);
  DWORD_PTR check = 0;
  if (ClassOf(c) == L"Button" &&
      !SendMessageTimeoutW(c, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &check)) {
    Fail(L"control " + a[0] + L" does not answer BM_GETCHECK");
  }
  PrintLine(L"visible=" + std::to_wstring(IsWindowVisible(c) ? 1 : 0) +
            L" enabled=" + std::to_wstring(IsWindowEnabled(c) ? 1 : 0) +
            L" checked=" + std::to_wstring(check == BST_CHECKED ? 1 : 0));
}

// Where a control is in the main window's client area, as a screenshot shows it.
void Rect(const Args& a) {
  HWND main = RequireMainWindow();
  RECT r{};
  GetWindowRect(ControlOf(a[0]), &r);
  MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
  PrintLine(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L" " +
            std::to_wstring(r.bottom - r.top));
}

std::wstring Joined(const std::vector<std::wstring>& texts) {
  std::wstring line;
  for (std::size_t i = 0; i < texts.size(); ++i) line += (i ? L"\t" : L"") + texts[i];
  return line;
}

// A report list: its captions, then its column widths in pixels, then one
// line per row; cells are separated by tabs.
void List(const Args& a) {
  const ListContents list = ReadListView(ControlOf(a[0]));
  PrintLine(Joined(list.captions));
  std::vector<std::wstring> widths;
  for (int w : list.widths) widths.push_back(std::to_wstring(w));
  PrintLine(Joined(widths));
  for (const auto& row : list.rows) PrintLine(Joined(row));
}

void Click(const Args& a) {
  HWND main = RequireMainWindow();
  const ControlRef ref = ParseControl(a[0], main);
  HWND c = RequireControl(main, ref.id, ref.label);
  if (!IsWindowVisible(c)) Fail(L"control " + ref.label + L" is not visible, so it cannot be clicked");
  BringToFront(main);
  ClickCentre(c, ref.label);
  Settle(main);
}

// Clicks a button and reports how many milliseconds pass until another
// control looks different on screen: how long the program takes to show
// that it acted.
void ClickWatch(const Args& a) {
  HWND main = RequireMainWindow();
  const ControlRef ref = ParseControl(a[0], main);
  HWND button = RequireControl(main, ref.id, ref.label);
  HWND watched = ControlOf(a[1]);
  const double seconds = ParseSeconds(a[2]);
  BringToFront(main);
  const std::vector<BYTE> before = ClientPixels(watched);
  ClickCentre(button, ref.label);
  const ULONGLONG start = GetTickCount64();
  if (!WaitFor(seconds, [&] { return ClientPixels(watched) != before; })) {
    Fail(a[1] + L" did not change within " + SecondsText(seconds) + L" of the click on " + ref.label);
  }
  PrintLine(std::to_wstring(GetTickCount64() - start));
}

// Clicks into a field, selects what it holds and types the text over it.
void Type(const Args& a) {
  HWND main = RequireMainWindow();
  const ControlRef ref = ParseControl(a[0], main);
  HWND field = RequireControl(main, ref.id, ref.label);
  BringToFront(main);
  ClickCentre(field, ref.label);
  Settle(main);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(field, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, kAnswerMs, &ignored);
  TypeOverSelection(a[1]);
  Settle(main);
}

void Press(const Args& a) {
  PostMessageW(ControlOf(a[0]), BM_CLICK, 0, 0);
  Settle(FindMainWindow());
}

void Key(const Args& a) {
  const KeyCombo combo = ParseKey(a[0]);
  const int count = a.size() > 1 ? ParseCount(a[1]) : 1;
  for (int i = 0; i < count; ++i) {
    PressKey(combo);
    Sleep(kBetweenKeysMs);
  }
  Settle(FindMainWindow());
}

// "1001 Command1"; a message box's button is reported as not one of ours.
std::wstring DescribeFocus(HWND main, HWND focus) {
  const int id = GetDlgCtrlID(focus);
  if (focus != main && !IsChild(main, focus)) {
    return std::to_wstring(id) + L" outside the main window, in '" + TitleOf(GetAncestor(focus, GA_ROOT)) + L"'";
  }
  const std::wstring name = NameOfId(id);
  return name.empty() ? std::to_wstring(id) : std::to_wstring(id) + L" " + name;
}

void Focus(const Args&) {
  HWND main = RequireMainWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) || !info.hwndFocus) {
    Fail(L"no window has the keyboard focus in the main window's thread");
  }
  PrintLine(DescribeFocus(main, info.hwndFocus));
}

HWND FirstMessageBox() {
  const std::vector<HWND> boxes = FindMessageBoxes();
  return boxes.empty() ? nullptr : boxes.front();
}

void Message(const Args& a) {
  const double seconds = ParseSeconds(a[0]);
  HWND box = WaitFor(seconds, FirstMessageBox);
  if (!box) Fail(L"no message box after " + SecondsText(seconds));
  PrintLine(MessageText(box));
  PrintLine(ButtonLine(box));
}

HWND ButtonCaptioned(HWND box, const std::wstring& caption) {
  for (HWND b : MessageButtons(box)) {
    if (CompareStringOrdinal(CaptionOf(b).c_str(), -1, caption.c_str(), -1, TRUE) == CSTR_EQUAL) return b;
  }
  Fail(L"the message box has no button '" + caption + L"', only " + ButtonLine(box));
}

// Clicks like a person, then proves the box took the answer by going away.
// Wine may move the focus between button down and up while a fresh box is
// still being activated, and the button then drops the click; a person would
// click again, so a box still showing after a pause gets up to two more.
void Answer(const Args& a) {
  constexpr int kClicks = 3;
  const double seconds = ParseSeconds(a[2]);
  HWND box = WaitFor(seconds, [&] { return FindMessageBoxWith(a[0]); });
  if (!box) Fail(L"no message box with '" + a[0] + L"' after " + SecondsText(seconds));
  const std::wstring text = MessageText(box);
  HWND button = ButtonCaptioned(box, a[1]);
  for (int click = 1;; ++click) {
    BringToFront(box);
    ClickCentre(button, L"button " + a[1]);
    if (WaitFor(2.0, [box] { return !IsWindowVisible(box); })) break;
    if (click == kClicks) Fail(L"the message box stayed after " + std::to_wstring(kClicks) + L" clicks on " + a[1]);
    PrintErrorLine(L"vdriver: the message box stayed after a click on " + a[1] + L"; clicking again");
  }
  Settle(FindMainWindow());
  PrintLine(text);
}

void Close(const Args&) {
  PostMessageW(RequireMainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void WaitGone(const Args& a) {
  const double seconds = ParseSeconds(a[0]);
  if (!WaitFor(seconds, [] { return !FindMainWindow(); })) {
    Fail(L"the main window is still there after " + SecondsText(seconds));
  }
}

void Screenshot(const Args& a) {
  HWND main = RequireMainWindow();
  BringToFront(main);
  Settle(main);
  SaveScreenshot(main, a[0]);
}

void Dpi(const Args&) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  PrintLine(std::to_wstring(dpi));
}

wchar_t LetterOf(const std::wstring& text) {
  if (text.size() != 1) Fail(L"not a drive letter: '" + text + L"'");
  return text[0];
}

void Plug(const Args& a) {
  PlugDrive(LetterOf(a[0]), Utf8(a[1]), a[2]);
}

void Unplug(const Args& a) { UnplugDrive(LetterOf(a[0])); }

// Rests the mouse on a control until its tooltip shows (or the time is up);
// returns the tooltip, or null. A tip still showing from an earlier hover
// is sent away first, so the text read is this control's.
HWND HoverOver(const std::wstring& control, double seconds) {
  HWND main = RequireMainWindow();
  const ControlRef ref = ParseControl(control, main);
  HWND c = RequireControl(main, ref.id, ref.label);
  if (!IsWindowVisible(c)) Fail(L"control " + ref.label + L" is not visible, so the mouse cannot rest on it");
  BringToFront(main);
  MouseAway();
  WaitFor(1.0, [main] { return !FindShownToolTip(main); });
  RestMouseOn(c, ref.label);
  return WaitFor(seconds, [main] { return FindShownToolTip(main); });
}

constexpr double kTipDelaySeconds = 3;

// Leaves the mouse resting, so a screenshot shows the tip; prints its text
// when one showed.
void Hover(const Args& a) {
  if (HWND tip = HoverOver(a[0], kTipDelaySeconds)) PrintLine(TextOf(tip));
}

void ToolTip(const Args& a) {
  const double seconds = a.size() > 1 ? ParseSeconds(a[1]) : kTipDelaySeconds;
  HWND tip = HoverOver(a[0], seconds);
  if (!tip) Fail(L"no tooltip showed within " + SecondsText(seconds) + L" of resting on " + a[0]);
  PrintLine(TextOf(tip));
}

// Gives no input, so it does not Settle: it runs beside commands that do.
void AnswerWatch(const Args& a) {
  AnswerWatchOptions options{ParseSeconds(a[0]), a[1]};
  HWND main = RequireMainWindow();
  if (a.size() > 2) {
    const ControlRef ref = ParseControl(a[2], main);
    options.label = RequireControl(main, ref.id, ref.label);
  }
  for (const std::wstring& line : AnswerReport(WatchAnswers(main, options))) PrintLine(line);
}

// Prints the program's answer to the question whether the session may end.
void EndSessionCommand(const Args& a) {
  if (a.size() > 1 && a[1] != L"cancelled") Fail(L"end-session: unknown outcome '" + a[1] + L"'");
  PrintLine(std::to_wstring(EndSession(RequireMainWindow(), ParseSeconds(a[0]), a.size() > 1)));
}

struct Command {
  std::wstring_view name;
  std::wstring_view usage;
  size_t minArgs, maxArgs;
  void (*run)(const Args&);
};

void MainsCommand(const Args&) { PrintLine(std::to_wstring(MainsStatus())); }

void QuerySuspendCommand(const Args&) { PrintLine(std::to_wstring(QuerySuspend(RequireMainWindow()))); }

void RecycleCommand(const Args& a) { DeleteToRecycleBin(a[0]); }

// One line per field: target, arguments, working folder, description.
void ShortcutCommand(const Args& a) {
  const LinkFields link = ReadShellLink(a[0]);
  for (const std::wstring* field : {&link.target, &link.arguments, &link.workingFolder, &link.description})
    PrintLine(*field);
}

constexpr Command kCommands[] = {
    {L"wait-window", L"<title-prefix> <seconds>", 2, 2, WaitWindow},
    {L"title", L"", 0, 0, Title},
    {L"pids", L"", 0, 0, Pids},
    {L"caption", L"<control>", 1, 1, Caption},
    {L"state", L"<control>", 1, 1, State},
    {L"name", L"<control>", 1, 1, Name},
    {L"rect", L"<control>", 1, 1, Rect},
    {L"list", L"<list-view>", 1, 1, List},
    {L"click", L"<control>", 1, 1, Click},
    {L"click-watch", L"<button> <watched-control> <seconds>", 3, 3, ClickWatch},
    {L"press", L"<control>", 1, 1, Press},
    {L"type", L"<text-field> <text>", 2, 2, Type},
    {L"key", L"<KEY> [count]", 1, 2, Key},
    {L"focus", L"", 0, 0, Focus},
    {L"message", L"<seconds>", 1, 1, Message},
    {L"answer", L"<text-substring> <button-caption> <seconds>", 3, 3, Answer},
    {L"close", L"", 0, 0, Close},
    {L"wait-gone", L"<seconds>", 1, 1, WaitGone},
    {L"screenshot", L"<file.bmp>", 1, 1, Screenshot},
    {L"dpi", L"", 0, 0, Dpi},
    {L"plug", L"<letter> <host-folder> fixed|removable|network|cdrom", 3, 3, Plug},
    {L"unplug", L"<letter>", 1, 1, Unplug},
    {L"end-session", L"<seconds> [cancelled]", 1, 2, EndSessionCommand},
    {L"hover", L"<control>", 1, 1, Hover},
    {L"tooltip", L"<control> [seconds]", 1, 2, ToolTip},
    {L"answer-watch", L"<seconds> <stop-file> [label-control]", 2, 3, AnswerWatch},
    {L"mains", L"", 0, 0, MainsCommand},
    {L"query-suspend", L"", 0, 0, QuerySuspendCommand},
    {L"recycle", L"<file>", 1, 1, RecycleCommand},
    {L"shortcut", L"<file.lnk>", 1, 1, ShortcutCommand},
};

std::wstring UsageOf(const Command& c) {
  return std::wstring(c.name) + (c.usage.empty() ? L"" : L" " + std::wstring(c.usage));
}

std::wstring Usage() {
  std::wstring usage;
  for (const Command& c : kCommands) usage += (usage.empty() ? L"usage: vdriver " : L" | ") + UsageOf(c);
  return usage;
}

void RunOne(const Args& words) {
  for (const Command& c : kCommands) {
    if (words.empty() || words[0] != c.name) continue;
    const Args args(words.begin() + 1, words.end());
    if (args.size() < c.minArgs || args.size() > c.maxArgs) {
      Fail(L"usage: vdriver " + UsageOf(c));
    }
    c.run(args);
    return;
  }
  Fail(Usage());
}

void Run(const Args& words) {
  Args one;
  for (const std::wstring& word : words) {
    if (word != L"/") {
      one.push_back(word);
      continue;
    }
    RunOne(one);
    one.clear();
  }
  RunOne(one);
}

}  // namespace
}  // namespace vdriver

int wmain(int argc, wchar_t** argv) {
  // Window rectangles, cursor positions and the DPI in real pixels, whatever
  // the display's scale.
  SetProcessDPIAware();
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  try {
    vdriver::Run(vdriver::Args(argv + 1, argv + argc));
    return 0;
  } catch (const vdriver::Failure& failure) {
    vdriver::PrintErrorLine(L"vdriver: " + failure.reason);
    return 1;
  }
}
