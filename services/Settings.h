// The per-user settings store: text values by application, section and key,
// kept under "HKEY_CURRENT_USER\Software\VB and VBA Program Settings".
#pragma once
#include <string>

namespace vantrel {

// Application names of the store.
inline const std::wstring kProgramSettings = L"VNL";
inline const std::wstring kInstallSettings = L"QK";

// Empty text when absent or unreadable.
std::wstring ReadSetting(const std::wstring& application, const std::wstring& section,
                         const std::wstring& key);
// Creates the section when needed. False when the store refused the value
// (the caller decides whether the user must hear of it).
bool WriteSetting(const std::wstring& application, const std::wstring& section,
                  const std::wstring& key, const std::wstring& value);

}  // namespace vantrel
