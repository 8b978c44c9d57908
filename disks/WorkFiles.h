// Where a run keeps its work files and what it names them: the work folder
// of a disk, the files the stages make in it, and the fill template in the
// data folder. The stages make them and stage 4 and the sweep of leftovers
// find them by these names, so they are named in this one place.
#pragma once
#include <string>

namespace vantrel {

// "VNL_temp" at the root of the drive; on the Windows drive, in the user's
// application-data folder instead.
std::wstring WorkFolderOf(const std::wstring& letter);
// A work folder is there: a folder, or a link someone put in its place
// (which counts, so that it can go, as a link).
bool WorkFolderPresent(const std::wstring& folder);

// The file that proves a new work folder takes a file.
inline const wchar_t kWriteTestFile[] = L"test.txt";
// Name file number i (from 0): "bo" + i + "-" + a block of 100 digits + ".$$$".
std::wstring NameFileName(int i);
// Copy n (from 1) of the template.
std::wstring TemplateCopyName(int n);
// The files the fill's lines go to: long lines, then short ones.
inline const wchar_t* const kLineFileNames[] = {L"fw1", L"fw2"};
// Part n (from 1) of line file i: "fw1", then "fw1-2", "fw1-3" and so on.
std::wstring LineFileName(int i, int part);

// "temp.xd", the fill template, in the data folder: up to 50 MB that a run
// writes for each disk it fills and must never leave behind.
std::wstring TemplateFilePath();
// True when no template is left.
bool RemoveTemplateFile();

}  // namespace vantrel
