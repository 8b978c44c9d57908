// The user's choice of disks, kept per drive letter in the settings store so
// that it survives restarts and follows a stick that comes back under the
// same letter.
#pragma once
#include <string>

namespace vantrel {

bool IsDiskSelected(const std::wstring& letter);
void StoreDiskSelection(const std::wstring& letter, bool selected);

}  // namespace vantrel
