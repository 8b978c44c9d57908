// What a screen reader hears of a control, asked through the system's
// accessibility interface (oleacc) as a screen reader asks it.
#pragma once
#include <string>

#include "platform/win32/WinApi.h"

namespace vdriver {

// The name of the control's client object (AccessibleObjectFromWindow, then
// IAccessible::get_accName of the object itself); fails when either refuses.
std::wstring AccessibleNameOf(HWND control);

}  // namespace vdriver
