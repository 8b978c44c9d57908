// Real input, as a person gives it: the mouse at a point, keys to the
// foreground window.
#pragma once
#include "platform/win32/WinApi.h"

#include <string_view>
#include <vector>

namespace vdriver {

// Activates window, or the box it waits for, and waits up to a second for it
// to become the foreground.
void BringToFront(HWND window);

// A left click at the centre of control; fails when another top-level window
// would receive it (a box on top, the control off the screen).
void ClickCentre(HWND control, std::wstring_view label);

// Moves the mouse to the centre of control and leaves it there, checked as
// a click is; a tooltip of the program in the way does not count.
void RestMouseOn(HWND control, std::wstring_view label);
// Moves the mouse off the program's windows, to the screen's corner.
void MouseAway();

// Gives the program time to act on input: a short pause, then up to
// kAnswerMs for its thread to answer a message again. A program that stays
// busy longer is left to the next command's own timeout. window may be null.
void Settle(HWND window);

struct KeyCombo {
  std::vector<WORD> modifiers;
  WORD key;
};

// "TAB", "SHIFT+TAB", "ALT+F4", ...
KeyCombo ParseKey(std::wstring_view text);
void PressKey(const KeyCombo& combo);

// Deletes what is selected in the focused field, then types the text there
// character by character, as a keyboard of any layout would.
void TypeOverSelection(std::wstring_view text);

}  // namespace vdriver
