// Reading a report-mode list view of the program from outside: its column
// captions and widths, and the texts of its rows.
#pragma once
#include "platform/win32/WinApi.h"

#include <string>
#include <vector>

namespace vdriver {

struct ListContents {
  std::vector<std::wstring> captions;
  std::vector<int> widths;  // pixels
  std::vector<std::vector<std::wstring>> rows;
};

ListContents ReadListView(HWND list);

}  // namespace vdriver
