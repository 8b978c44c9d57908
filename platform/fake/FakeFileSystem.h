// An in-memory file system with Windows path rules. Drives exist only once a
// test adds them. Any operation can be made to fail through the fault table
// `faults`, which fails the Nth call of an operation with a chosen outcome;
// LastFailure then tells why, as it does for the failures the fake finds
// itself: Missing for an absent file or folder, Refused for a read-only file
// or a folder that is not empty, DiskFull for a write beyond a drive's
// `capacity`. Links behave
// as on Windows: a path through a link reaches its target, while removing a
// link removes only the link. A held folder behaves as on Windows too:
// neither it nor a folder above it can be renamed, removed or replaced
// until the hold ends, which is what a test playing someone else (who swaps
// a folder for a link at the worst moment) runs into. A path not found is
// Gone, a file not found in a folder that is there Missing.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/fake/Faults.h"

namespace vantrel::fake {

// A FAT folder holds at most this many 32-byte directory entries; a long
// name takes one entry per 13 characters besides its short entry.
constexpr uint32_t kFatFolderEntries = 65'536;
uint32_t FatEntriesOf(const std::wstring& name);
constexpr uint64_t kFatLargestFile = 0xFFFF'FFFFull;

class FakeFileSystem : public FileSystem {
 public:
  void AddDrive(wchar_t letter);
  // Test set-up: creates the folder and all its parents.
  void MakeFolders(const std::wstring& path);
  // Test set-up: the file and its parent folders.
  void PutFile(const std::wstring& path, const std::string& bytes, bool readOnly = false);
  // Test set-up: a link at `path` to the folder or file at `target`.
  void PutLink(const std::wstring& path, const std::wstring& target, bool toFolder = true);
  std::string Contents(const std::wstring& path) const;
  // Someone else at work on the disk: renames a folder (with everything in
  // it), or renames it away and puts a link to `target` in its place. False,
  // and nothing changed, when the folder or one inside it is held, as
  // Windows refuses it then.
  bool RenameFolder(const std::wstring& from, const std::wstring& to);
  bool SwapForLink(const std::wstring& folder, const std::wstring& target);
  // False while bytes written to the file have not been flushed.
  bool Flushed(const std::wstring& path) const;
  // What the disk saw of the file at `path`: the first bytes of every write
  // of it that reached the disk through a RewriteFile, in order; kept after
  // the file is removed, as the sectors keep them.
  static constexpr std::size_t kLandingHead = 12;
  std::vector<std::string> Landings(const std::wstring& path) const;
  // The names of removed entries that a folder's index still holds in its
  // blocks' unused tails, upper case (see FolderIndex).
  std::vector<std::wstring> LingeringNames(const std::wstring& folder) const;
  FolderTimes TimesOf(const std::wstring& folder) const;

  // Shared with FakeDrives made over this file system.
  Faults faults;
  // Bytes a drive holds at most, by upper-case letter; unlimited when absent.
  std::map<wchar_t, uint64_t> capacity;
  // Cluster size by upper-case letter: a file takes whole clusters there.
  std::map<wchar_t, uint64_t> clusterBytes;
  // Upper-case letters of the drives formatted FAT: their folders refuse the
  // entry beyond kFatFolderEntries.
  std::set<wchar_t> fat;
  // Drives ("D:") and files whose files keep their sizes but not their
  // bytes, so that a test can fill a disk of terabytes.
  std::vector<std::wstring> sizesOnly;
  uint64_t UsedOn(wchar_t letter) const;
  std::wstring tempPath = L"C:\\Users\\test\\Temp\\";

  bool FileExists(const std::wstring& path) override;
  bool FolderExists(const std::wstring& path) override;
  bool CreateFolder(const std::wstring& path) override;
  bool RemoveFile(const std::wstring& path) override;
  bool RemoveFolder(const std::wstring& path) override;
  bool IsLink(const std::wstring& path) override;
  bool RemoveLink(const std::wstring& path) override;
  bool ReadAll(const std::wstring& path, std::string& bytes) override;
  bool WriteAll(const std::wstring& path, const std::string& bytes) override;
  bool AppendAll(const std::wstring& path, const std::string& bytes) override;
  std::unique_ptr<OutputFile> Create(const std::wstring& path) override;
  std::unique_ptr<OutputFile> CreateNew(const std::wstring& path) override;
  std::unique_ptr<RewriteFile> OpenRewrite(const std::wstring& path) override;
  std::unique_ptr<FolderHold> Hold(const std::wstring& folder) override;
  bool MoveReplace(const std::wstring& from, const std::wstring& to) override;
  bool Copy(const std::wstring& from, const std::wstring& to) override;
  std::vector<std::wstring> ListFiles(const std::wstring& folder) override;
  std::vector<std::wstring> ListFolders(const std::wstring& folder) override;
  std::vector<std::wstring> ListLinks(const std::wstring& folder) override;
  std::wstring ShortPathName(const std::wstring& path) override;
  std::wstring LongPathName(const std::wstring& path) override;
  std::wstring TempPath() override { return tempPath; }
  FsFailure LastFailure() override { return last_; }
  std::unique_ptr<InputFile> OpenRead(const std::wstring& path) override;
  bool EachFile(const std::wstring& folder, const std::function<bool(const std::wstring& name)>& each) override;

 private:
  friend class FakeOutputFile;
  friend class FakeInputFile;
  friend class FakeFolderHold;
  friend class FakeRewriteFile;
  struct Entry {
    bool folder = false;  // for a link: it points to a folder
    bool readOnly = false;
    bool unflushed = false;
    std::string bytes;  // as the program sees them, through the cache
    // What the disk holds, once a RewriteFile opened the file: a read from
    // the disk sees only these.
    std::string disk;
    bool diskKnown = false;
    uint64_t size = 0;  // bytes.size(), or more on a drive that keeps sizes only
    std::wstring name;        // as created, for listings
    std::wstring linkTarget;  // key of what a link points to; empty for no link
    uint64_t order = 0;
    FolderTimes times;
  };
  // A folder's index as NTFS keeps it: entries sorted by upper-cased name in
  // blocks of kIndexBlock bytes. A removed entry's name stays in its block's
  // unused tail until new entries fill that block; here, until entries worth
  // a block were made within a block's reach of it (less than a block of
  // entries, live or lingering, between them), however they were spread. The
  // allocation never shrinks: `high` keeps its largest size.
  static constexpr uint64_t kIndexBlock = 4096;
  struct IndexSlot {
    bool live = false;
    uint64_t bytes = 0, covered = 0;
  };
  struct FolderIndex {
    std::map<std::wstring, IndexSlot> slots;
    uint64_t liveBytes = 0, high = 0;
  };
  void Indexed(const std::wstring& parent, const std::wstring& name, bool added);
  enum class Kind { Files, Folders, Links };
  // The key an operation reaches: links on the way are followed, and the
  // last one too unless the operation acts on the link itself.
  std::wstring Resolve(const std::wstring& path, bool followLast = true) const;
  Entry* Find(const std::wstring& path);
  const Entry* Find(const std::wstring& path) const;
  // Counts a call of `op` in the fault table; false, with the reason kept,
  // when it is to fail.
  bool Pass(FsOp op);
  bool Fail(FsFailure why) {
    last_ = why;
    return false;
  }
  bool Succeed() {
    last_ = FsFailure::None;
    return true;
  }
  static bool IsKind(const Entry& e, Kind kind);
  bool Walk(const std::wstring& folder, Kind kind, const std::function<bool(const std::wstring&)>& each);
  bool ParentIsFolder(const std::wstring& key) const;
  // Why an entry that is not there is not: Missing when its folder is.
  bool FailAbsent(const std::wstring& key) { return Fail(ParentIsFolder(key) ? FsFailure::Missing : FsFailure::Gone); }
  // The folder, or one inside it, is held: Windows refuses to move it.
  bool Pinned(const std::wstring& key) const;
  // Adds an entry under its key, keeping the parent folder's entry count;
  // false when a FAT folder is full.
  bool Insert(const std::wstring& key, Entry entry);
  void Erase(const std::wstring& key);
  std::vector<std::wstring> List(const std::wstring& folder, Kind kind);
  // Writes or appends after the operation has passed its gate; false with
  // the reason kept.
  bool StoreFile(const std::wstring& path, std::string_view bytes, bool append);
  // Create and CreateNew: the second fails on a name that is there.
  std::unique_ptr<OutputFile> MakeFile(const std::wstring& path, bool mustBeNew);
  bool Fits(const std::wstring& key, std::size_t growth) const;
  uint64_t Taken(const std::wstring& key, uint64_t size) const;
  bool KeepsSizeOnly(const std::wstring& key) const;

  std::map<std::wstring, Entry> entries_;
  // The keys of the entries of each folder in the folder's order, by folder
  // key: listings and walks go through it, and a walk that looks up the
  // next order afresh survives removals.
  std::map<std::wstring, std::map<uint64_t, std::wstring>> children_;
  std::map<std::wstring, uint32_t> folderEntries_;  // directory entries used, by folder key
  std::map<wchar_t, uint64_t> usedBytes_;            // by lower-case drive letter
  uint64_t nextOrder_ = 0;
  std::set<std::wstring> held_;  // keys of the folders held
  std::map<std::wstring, FolderIndex> indexes_;  // by folder key
  int64_t timeTick_ = 0;
  std::map<std::wstring, std::vector<std::string>> landings_;  // by key
  FsFailure last_ = FsFailure::None;
};

}  // namespace vantrel::fake
