// Finding the program's windows from outside: the main window, its controls
// by id, and message boxes. Nothing here waits; the commands do. With the
// environment variable VDRIVER_PID set, only that process's windows count.
#pragma once
#include "platform/win32/WinApi.h"

#include <string>
#include <string_view>
#include <vector>

namespace vdriver {

DWORD ProcessOf(HWND window);
std::wstring TitleOf(HWND window);
std::wstring ClassOf(HWND window);
// The window text of a control of another process, asked for by message.
std::wstring TextOf(HWND control);

// The first visible top-level window whose title starts with prefix, or null.
HWND FindTitled(std::wstring_view prefix);
// The visible top-level windows titled "Vantrel..." that are not dialogs,
// one for each copy of the program.
std::vector<HWND> FindMainWindows();
// The first of them, or null.
HWND FindMainWindow();
HWND RequireMainWindow();

// The one control with that id among all descendants of the main window.
HWND RequireControl(HWND main, int id, std::wstring_view label);

// Every descendant of parent, in z-order.
std::vector<HWND> Descendants(HWND parent);

// The window a person can act on: window itself, or, while it is disabled
// waiting for a modal box it owns, that box (and the box's own box).
HWND FrontOf(HWND window);

// Visible top-level dialogs, which is what MessageBox shows.
std::vector<HWND> FindMessageBoxes();

// The tooltip window that shows now for window's process, or null. A
// tooltip is a top-level window of its own class; its text is the tip shown.
HWND FindShownToolTip(HWND window);

}  // namespace vdriver
