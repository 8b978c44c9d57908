// Removing folders that lie on disks other people can write to. A folder is
// held (see FolderHold) from before its contents are listed until it is
// gone, and so is every folder inside it that is entered: nobody can swap
// one of them for a link in between, so nothing outside them is reached.
// Links met on the way, the folder itself included, go as links.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/FileSystem.h"

namespace vantrel {

enum class Removal {
  Gone,    // nothing is left at the path
  InUse,   // someone else holds the folder (another copy's run): untouched
  Left,    // something resisted or could not be read; the rest went
};

// Deletes a folder with everything in it, without forcing read-only files:
// what will not go stays, and the rest is still removed. `afterEachFile`
// lets a window answer while a large folder goes.
Removal DeleteFolderTree(const std::wstring& folder, const std::function<void()>& afterEachFile = {});
// Someone holds the folder now (a run of this or another copy).
bool FolderInUse(const std::wstring& folder);
// Deletes everything inside a folder the caller holds, the folders inside
// held in turn; the folder itself stays. True when nothing is left in it
// and every listing could be read.
bool EmptyHeldFolder(const std::wstring& folder, const std::function<void()>& afterEachFile = {});

}  // namespace vantrel
