// Drives that come and go while the program runs, as a stick does: asks
// Wine's mount manager to map a letter to a host folder, or to drop it.
#pragma once
#include <string>

namespace vdriver {

// kind: "fixed", "removable", "network" or "cdrom".
void PlugDrive(wchar_t letter, const std::string& hostFolder, const std::wstring& kind);
void UnplugDrive(wchar_t letter);

}  // namespace vdriver
