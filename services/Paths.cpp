#include "services/Paths.h"

#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

bool FileExists(const std::wstring& path) {
  return IgnoringFailures(false, [&] { return !path.empty() && Os().files->FileExists(path); });
}

bool FolderExists(const std::wstring& path) {
  return IgnoringFailures(false, [&] { return !path.empty() && Os().files->FolderExists(path); });
}

std::wstring ShortPath(const std::wstring& path) {
  return IgnoringFailures(std::wstring(), [&] { return Os().files->ShortPathName(path); });
}

std::wstring LongPath(const std::wstring& path) {
  return IgnoringFailures(path, [&] {
    const std::wstring longForm = Os().files->LongPathName(path);
    return longForm.empty() ? path : longForm;
  });
}

std::wstring GetTempFolder() {
  return IgnoringFailures(std::wstring(), [&] {
    std::wstring temp = Os().files->TempPath();
    if (temp.empty()) temp = Env().SystemDrive + L":\\";
    temp = LongPath(temp);
    if (temp.size() > 1 && temp.back() == L'\\') temp.pop_back();
    return temp;
  });
}

}  // namespace vantrel
