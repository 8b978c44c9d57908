// A disk's work folder as a run holds it, from the moment it is made to the
// moment it is removed, so that nobody can swap it for a link meanwhile and
// send the work files (or their removal) somewhere else. The files go into
// held subfolders of a thousand each: a file's creation costs a scan of its
// folder under Wine, which made stage 1 on a folder of 150,001 names take
// hours, and on FAT a folder holds at most 65,536 directory entries.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace vantrel {

enum class WorkFile { NameFile, TemplateCopy };

class WorkArea {
 public:
  // Makes the work folder and holds it. A folder (or link) already at its
  // place is a leftover: it goes first, safely; nothing when it will not, or
  // when the new folder cannot be made and held.
  static std::unique_ptr<WorkArea> Make(const std::wstring& folder);
  WorkArea(const WorkArea&) = delete;
  WorkArea& operator=(const WorkArea&) = delete;

  const std::wstring& Folder() const { return folder_; }
  // The path of name file i (from 0) or template copy n (from 1). Its
  // subfolder is made and held when `make` asks for it and it is the first
  // file there; empty text when that fails.
  std::wstring PathOf(WorkFile kind, int index, bool make);
  // Deletes whatever is left in the subfolders and the folder, and then
  // them, through their holds. False when anything stays.
  bool RemoveAll(const std::function<void()>& afterEachFile);

 private:
  struct Sub {
    std::wstring name;
    std::unique_ptr<FolderHold> hold;
  };
  WorkArea(std::wstring folder, std::unique_ptr<FolderHold> hold) : folder_(std::move(folder)), hold_(std::move(hold)) {}
  std::wstring folder_;
  std::unique_ptr<FolderHold> hold_;
  std::vector<Sub> subs_;
};

// Files in one subfolder: on FAT a thousand name files take ten thousand
// entries (a short one and nine for each long name), well within a folder.
inline constexpr int kFilesPerFolder = 1000;

}  // namespace vantrel
