#include "services/Paths.h"

#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/Quietly.h"

namespace vantrel {

bool FileExists(const std::wstring& path) {
  return Quietly(false, [&] { return !path.empty() && Os().files->FileExists(path); });
}

bool FolderExists(const std::wstring& path) {
  return Quietly(false, [&] { return !path.empty() && Os().files->FolderExists(path); });
}

std::wstring ShortPath(const std::wstring& path) {
  return Quietly(std::wstring(), [&] { return Os().files->ShortPathName(path); });
}

std::wstring LongPath(const std::wstring& path) {
  return Quietly(path, [&] {
    const std::wstring longForm = Os().files->LongPathName(path);
    return longForm.empty() ? path : longForm;
  });
}

std::wstring GetTempFolder() {
  return Quietly(std::wstring(), [&] {
    std::wstring temp = Os().files->TempPath();
    if (temp.empty()) temp = Env().SystemDrive + L":\\";
    temp = LongPath(temp);
    if (temp.size() > 1 && temp.back() == L'\\') temp.pop_back();
    return temp;
  });
}

}  // namespace vantrel

namespace vantrel {

bool DeleteFolderTree(const std::wstring& folder, const std::function<void()>& afterEachFile) {
  return Quietly(false, [&] {
    FileSystem& fs = *Os().files;
    // A link is removed as a link: what it points to is not ours to delete.
    if (fs.IsLink(folder)) return fs.RemoveLink(folder) && !fs.IsLink(folder);
    // Files first, one name at a time and never all of them at once: the
    // links and folders are then looked for in a folder that holds few
    // entries, since every listing reads the whole folder. Another pass
    // follows one that deleted something, in case the folder's order moved
    // under the deletions, and ends once only what resists is left.
    for (bool removedAny = true; removedAny;) {
      removedAny = false;
      fs.EachFile(folder, [&](const std::wstring& file) {
        if (fs.RemoveFile(folder + L"\\" + file)) removedAny = true;
        if (afterEachFile) afterEachFile();
        return true;
      });
    }
    for (const std::wstring& link : fs.ListLinks(folder)) fs.RemoveLink(folder + L"\\" + link);
    for (const std::wstring& sub : fs.ListFolders(folder)) DeleteFolderTree(folder + L"\\" + sub, afterEachFile);
    fs.RemoveFolder(folder);
    return !FolderExists(folder) && !fs.IsLink(folder);
  });
}

}  // namespace vantrel
