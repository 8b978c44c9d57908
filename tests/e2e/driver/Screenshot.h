// A picture of a top-level window's client area as a 24-bit BMP. The client
// area only: under Wine without a window manager (Xvfb) nobody draws the
// frame and title bar, they would come out black.
#pragma once
#include "platform/win32/WinApi.h"

#include <string>
#include <vector>

namespace vdriver {

// Fails when the picture is one flat colour: nothing was rendered.
void SaveScreenshot(HWND window, const std::wstring& path);
// The pixels of a window's client area as the screen shows them now, for
// noticing when it changes.
std::vector<BYTE> ClientPixels(HWND window);

}  // namespace vdriver
