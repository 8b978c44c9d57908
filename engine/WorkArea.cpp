#include "engine/WorkArea.h"

#include "disks/WorkFiles.h"
#include "platform/Platform.h"
#include "services/FolderRemoval.h"
#include "services/Paths.h"

namespace vantrel {

std::unique_ptr<WorkArea> WorkArea::Make(const std::wstring& folder) {
  FileSystem& fs = *Os().files;
  // Never reused: whatever stands there now was not made by this run.
  if ((FolderExists(folder) || fs.IsLink(folder)) && DeleteFolderTree(folder) != Removal::Gone) return nullptr;
  if (!fs.CreateFolder(folder)) return nullptr;
  // The hold asks the folder itself: one swapped for a link since it was
  // made is refused here.
  std::unique_ptr<FolderHold> hold = fs.Hold(folder);
  if (!hold) return nullptr;
  return std::unique_ptr<WorkArea>(new WorkArea(folder, std::move(hold)));
}

std::wstring WorkArea::PathOf(WorkFile kind, int index, bool make) {
  const std::wstring name = kind == WorkFile::NameFile ? NameFileName(index) : TemplateCopyName(index);
  const int position = kind == WorkFile::NameFile ? index : index - 1;
  const std::wstring sub = (kind == WorkFile::NameFile ? L"n" : L"c") + std::to_wstring(position / kFilesPerFolder);
  const std::wstring path = folder_ + L"\\" + sub;
  if (make && position % kFilesPerFolder == 0) {
    FileSystem& fs = *Os().files;
    if (!fs.CreateFolder(path)) return {};
    std::unique_ptr<FolderHold> hold = fs.Hold(path);
    if (!hold) return {};
    subs_.push_back({sub, std::move(hold)});
  }
  return path + L"\\" + name;
}

bool WorkArea::RemoveAll(const std::function<void()>& afterEachFile) {
  bool whole = true;
  for (Sub& sub : subs_) {
    if (!EmptyHeldFolder(folder_ + L"\\" + sub.name, afterEachFile)) whole = false;
    if (!sub.hold->Remove()) whole = false;
  }
  subs_.clear();
  if (!EmptyHeldFolder(folder_, afterEachFile)) whole = false;
  return hold_->Remove() && whole;
}

}  // namespace vantrel
