// Existence tests and path forms. Each answers with its "nothing" value
// (false, empty text, or the path unchanged) instead of failing.
#pragma once
#include <string>

namespace vantrel {

bool FileExists(const std::wstring& path);    // false for a folder
bool FolderExists(const std::wstring& path);  // false for a file
std::wstring ShortPath(const std::wstring& path);  // empty text when it fails
std::wstring LongPath(const std::wstring& path);   // the path unchanged when it fails
// The user's temporary folder without a trailing backslash; the root of the
// Windows drive when the system names none.
std::wstring GetTempFolder();

}  // namespace vantrel
