// Windows path rules for the fakes: backslashes, case-insensitive names,
// "C:" and "C:\" naming the same root.
#pragma once
#include <string>

namespace vantrel::fake {

// A comparable form of a path: forward slashes turned to backslashes, ASCII
// letters lower-cased, trailing backslashes dropped.
std::wstring PathKey(const std::wstring& path);
// The key of the folder that holds a path ("" for a drive root).
std::wstring ParentKey(const std::wstring& key);
// The last component of a path.
std::wstring LeafName(const std::wstring& path);
std::wstring LowerAscii(std::wstring text);

}  // namespace vantrel::fake
