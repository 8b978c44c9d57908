// Which drives the program may clean: type unknown, removable, fixed or
// network, a one-character letter, and ready. The panel, its timer and the
// leftover check all use this one rule, in the system's drive order.
#pragma once
#include <string>
#include <vector>

namespace vantrel {

bool IsListedDrive(const std::wstring& letter);
std::vector<std::wstring> ListedDriveLetters();

}  // namespace vantrel
