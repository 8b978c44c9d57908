// What a test asks of the machine's power side: the mains status Wine
// reports, and the suspend query older Windows sends each window before
// going to standby.
#pragma once
#include "platform/win32/WinApi.h"

namespace vdriver {

// The mains status byte of the system's power status (1 on mains, 0 on
// battery, 255 unknown).
int MainsStatus();
// Sends the window the query whether the computer may suspend and returns
// its answer; fails when it does not answer within the driver's limit.
LRESULT QuerySuspend(HWND window);

}  // namespace vdriver
