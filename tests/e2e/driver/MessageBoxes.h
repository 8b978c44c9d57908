// Reading a message box as a person sees it: its text and its buttons.
#pragma once
#include "platform/win32/WinApi.h"

#include <string>
#include <string_view>
#include <vector>

namespace vdriver {

// The text of the box's text statics (the icon static has none to show).
std::wstring MessageText(HWND box);

// The visible buttons, left to right.
std::vector<HWND> MessageButtons(HWND box);

// A button's caption without its mnemonic marks: "&Yes" -> "Yes".
std::wstring CaptionOf(HWND button);

// "[Yes] [No]".
std::wstring ButtonLine(HWND box);

// The visible box whose text contains part, or null.
HWND FindMessageBoxWith(std::wstring_view part);

}  // namespace vdriver
