// Where a run keeps its work files on a disk.
#pragma once
#include <string>

namespace vantrel {

// "VNL_temp" at the root of the drive; on the Windows drive, in the user's
// application-data folder instead.
std::wstring WorkFolderOf(const std::wstring& letter);
// A work folder is there: a folder, or a link someone put in its place
// (which counts, so that it can go, as a link).
bool WorkFolderPresent(const std::wstring& folder);
// "temp.xd", the fill template, in the data folder: up to 50 MB that a run
// writes for each disk it fills and must never leave behind.
std::wstring TemplateFilePath();
void RemoveTemplateFile();

}  // namespace vantrel
