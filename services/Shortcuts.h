// Shortcut files: shell links (.lnk) and Internet shortcuts (.url).
#pragma once
#include <string>

namespace vantrel {

// The icon is set only when a location is given. Each is false when the
// file was not made; nothing is shown.
bool MakeShortcut(const std::wstring& linkFile, const std::wstring& target,
                  const std::wstring& description, const std::wstring& workingFolder,
                  const std::wstring& arguments, const std::wstring& iconLocation);
bool WriteUrlShortcut(const std::wstring& file, const std::wstring& url,
                      const std::wstring& iconIndex, const std::wstring& iconFile);

}  // namespace vantrel
