// Control names as the tests write them ("Command1", "DiskLabel(2)", "1001")
// and back, through the program's own tables of stable ids (the main
// window's first, then the secondary window's).
#pragma once
#include <string>
#include <string_view>

namespace vdriver {

struct ControlRef {
  int id;
  std::wstring label;  // for messages: "DiskLabel(2) (id 2402)"
};

ControlRef ParseControl(std::wstring_view text);

// "Command1", "win(3)", or empty when the table has no such id.
std::wstring NameOfId(int id);

}  // namespace vdriver
