// Deleting a file the way Explorer does, into the Recycle Bin.
#pragma once
#include <string>

namespace vdriver {

// Fails with the shell's code when the file could not be moved there.
void DeleteToRecycleBin(const std::wstring& file);

}  // namespace vdriver
