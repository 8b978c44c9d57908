// Control names as the tests write them ("Command1", "DiskLabel(2)", "1001")
// and back, through the program's own tables of stable ids: the main
// window's and the secondary window's, which share some names.
#pragma once
#include "platform/win32/WinApi.h"

#include <string>
#include <string_view>

namespace vdriver {

struct ControlRef {
  int id;
  std::wstring label;  // for messages: "DiskLabel(2) (id 2402)"
};

// A name that both windows use means the control of the window that is
// there: the id that window has.
ControlRef ParseControl(std::wstring_view text, HWND window);

// "Command1", "win(3)", or empty when the table has no such id.
std::wstring NameOfId(int id);

}  // namespace vdriver
