// Where a run keeps its work files on a disk.
#pragma once
#include <string>

namespace vantrel {

// "VNL_temp" at the root of the drive; on the Windows drive, in the user's
// application-data folder instead.
std::wstring WorkFolderOf(const std::wstring& letter);

}  // namespace vantrel
