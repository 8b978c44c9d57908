// Existence tests and path forms. Each answers with its "nothing" value
// (false, empty text, or the path unchanged) instead of failing.
#pragma once
#include <functional>
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

namespace vantrel {

// Deletes a folder with everything in it, without forcing read-only files:
// what will not go stays, and the rest is still removed. Links, the folder
// itself included, are removed as links and never walked through. True when
// the folder is gone afterwards. `afterEachFile` lets a window answer while
// a large folder goes.
bool DeleteFolderTree(const std::wstring& folder, const std::function<void()>& afterEachFile = {});

}  // namespace vantrel
