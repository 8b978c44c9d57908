#include "services/FolderRemoval.h"

#include "platform/Platform.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

namespace {

// A link at the path, whatever it points to, goes as a link.
Removal RemoveLinkAt(FileSystem& fs, const std::wstring& path) {
  fs.RemoveLink(path);
  return fs.IsLink(path) ? Removal::Left : Removal::Gone;
}

Removal RemoveTree(FileSystem& fs, const std::wstring& folder, const std::function<void()>& afterEachFile) {
  if (fs.IsLink(folder)) return RemoveLinkAt(fs, folder);
  std::unique_ptr<FolderHold> hold = fs.Hold(folder);
  if (!hold) {
    switch (fs.LastFailure()) {
      case FsFailure::InUse: return Removal::InUse;
      case FsFailure::Missing:
      case FsFailure::Gone: return fs.FolderExists(folder) ? Removal::Left : Removal::Gone;
      // Refused: a link put there since the question above, or a file.
      default: return fs.IsLink(folder) ? RemoveLinkAt(fs, folder) : Removal::Left;
    }
  }
  const bool emptied = EmptyHeldFolder(folder, afterEachFile);
  if (!hold->Remove()) return Removal::Left;
  return emptied ? Removal::Gone : Removal::Left;
}

}  // namespace

bool EmptyHeldFolder(const std::wstring& folder, const std::function<void()>& afterEachFile) {
  return IgnoringFailures(false, [&] {
    FileSystem& fs = *Os().files;
    bool whole = true;
    // Files first, one name at a time and never all of them at once: the
    // links and folders are then looked for in a folder that holds few
    // entries, since every listing reads the whole folder. Another pass
    // follows one that deleted something, in case the folder's order moved
    // under the deletions, and ends once only what resists is left.
    for (bool removedAny = true; removedAny;) {
      removedAny = false;
      const bool read = fs.EachFile(folder, [&](const std::wstring& file) {
        if (fs.RemoveFile(folder + L"\\" + file)) removedAny = true;
        if (afterEachFile) afterEachFile();
        return true;
      });
      if (!read) return false;
    }
    for (const std::wstring& link : fs.ListLinks(folder))
      if (RemoveLinkAt(fs, folder + L"\\" + link) != Removal::Gone) whole = false;
    for (const std::wstring& sub : fs.ListFolders(folder))
      if (RemoveTree(fs, folder + L"\\" + sub, afterEachFile) != Removal::Gone) whole = false;
    return whole && fs.ListFiles(folder).empty();
  });
}

bool FolderInUse(const std::wstring& folder) {
  return IgnoringFailures(false, [&] {
    FileSystem& fs = *Os().files;
    return !fs.Hold(folder) && fs.LastFailure() == FsFailure::InUse;
  });
}

Removal DeleteFolderTree(const std::wstring& folder, const std::function<void()>& afterEachFile) {
  return IgnoringFailures(Removal::Left, [&] { return RemoveTree(*Os().files, folder, afterEachFile); });
}

}  // namespace vantrel
