// Files and folders. Paths are Windows paths (backslashes, drive letters) on
// every platform; names compare without regard to case.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Why the last operation failed, in the terms the logic acts on: a full disk
// ends a fill; a missing file (in a folder that is there) means someone else
// removed it; a folder or drive that is gone (a path not found, a stick
// pulled, a drive not ready) means the work cannot go on there; a folder in
// use is held by another program, which may still be at work in it; anything
// else (access denied, a read-only file) is a refusal.
enum class FsFailure { None, Refused, Missing, Gone, InUse, DiskFull };

// A file open for writing.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool Write(std::string_view bytes) = 0;
  // Carries what was written through to the disk, so it survives a power loss.
  virtual bool Flush() = 0;
  // False when the file could not be closed: what was written may not have
  // reached the disk.
  virtual bool Close() = 0;
};

// A file open for reading, block by block, so that a long copy can let the
// window breathe between blocks and never holds the whole file.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Replaces `into` with the next bytes of the file, at most `most` of them;
  // `into` is empty at the end of the file. False when the read fails. The
  // buffer is reused: pass the same string again to avoid allocating.
  virtual bool Read(std::string& into, std::size_t most) = 0;
};

// A file opened again to be overwritten where it lies: never created, never
// truncated, never grown, so the file system keeps its clusters. What is
// written passes the system's cache on its way, and a read-back must not
// be answered from that cache: it would show what was meant to be written,
// not what the disk holds.
class RewriteFile {
 public:
  virtual ~RewriteFile() = default;
  virtual uint64_t Size() = 0;
  // Writes at `offset`; bytes beyond the file's end are refused.
  virtual bool WriteAt(uint64_t offset, const std::string& bytes) = 0;
  // Returns once everything written lies on the disk itself: the device is
  // asked to empty its own cache too.
  virtual bool Flush() = 0;
  // Replaces `into` with at most `most` bytes from `offset` as the disk
  // holds them, read past every cache of the system; short at the end.
  virtual bool ReadFromDisk(uint64_t offset, std::string& into, std::size_t most) = 0;
  virtual bool Close() = 0;
};

// A folder held open for as long as work goes on inside it. While it is held
// nobody can rename, remove or replace it (nor, on Windows, any folder above
// it), so a path through it reaches this folder and nothing else: a folder
// swapped for a link between two calls cannot happen. A second hold of the
// same folder, by this or another program, is refused as in use.
// A folder's times as the file system keeps them, in 100 ns units since
// 1601; creating or removing an entry inside the folder changes them.
struct FolderTimes {
  int64_t created = 0, accessed = 0, written = 0, changed = 0;
  bool operator==(const FolderTimes&) const = default;
};

class FolderHold {
 public:
  virtual ~FolderHold() = default;
  // The bytes the folder's index of names has taken on the disk. NTFS never
  // shrinks it, so it also covers the blocks whose live entries went.
  // Nothing where the system cannot tell.
  virtual std::optional<uint64_t> IndexBytes() = 0;
  // The folder's times, read and put back through the hold.
  virtual std::optional<FolderTimes> Times() = 0;
  virtual bool SetTimes(const FolderTimes& times) = 0;
  // Removes the folder, which must be empty, through the hold itself, so
  // that the folder removed is the one held; the hold ends either way.
  virtual bool Remove() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool FileExists(const std::wstring& path) = 0;
  virtual bool FolderExists(const std::wstring& path) = 0;
  // One level: the parent must exist.
  virtual bool CreateFolder(const std::wstring& path) = 0;
  // Refuses read-only files.
  virtual bool RemoveFile(const std::wstring& path) = 0;
  // Removes an empty folder.
  virtual bool RemoveFolder(const std::wstring& path) = 0;
  // A reparse point: a junction, a symbolic link or a mount point, to a
  // folder or to a file. Work folders lie on disks other people can write
  // to, so nothing that deletes ever walks through one.
  virtual bool IsLink(const std::wstring& path) = 0;
  // Removes the link itself; what it points to is never touched. Refuses a
  // path that is not a link.
  virtual bool RemoveLink(const std::wstring& path) = 0;
  // False unless the whole file was read.
  virtual bool ReadAll(const std::wstring& path, std::string& bytes) = 0;
  // Creates or empties the file, then writes; false also when the close fails.
  virtual bool WriteAll(const std::wstring& path, const std::string& bytes) = 0;
  virtual bool AppendAll(const std::wstring& path, const std::string& bytes) = 0;
  // Opens for writing, created or emptied; nothing when it cannot. For the
  // program's own folders only: an existing name, a link included, is
  // followed.
  virtual std::unique_ptr<OutputFile> Create(const std::wstring& path) = 0;
  // Creates a new file for writing; a name that exists, a link to anywhere
  // included, makes it fail (Refused) instead of being followed. Work files
  // on disks that others can write to are made only this way.
  virtual std::unique_ptr<OutputFile> CreateNew(const std::wstring& path) = 0;
  // Opens an existing file of a held work folder to overwrite it in place
  // (see RewriteFile); a link in its place is refused, never followed.
  virtual std::unique_ptr<RewriteFile> OpenRewrite(const std::wstring& path) = 0;
  // Holds an existing folder (see FolderHold). Refused for a link, checked
  // on the folder opened and not on the path, and for a file; Missing or
  // Gone when there is nothing; InUse when someone holds it already.
  virtual std::unique_ptr<FolderHold> Hold(const std::wstring& folder) = 0;
  // Replaces the destination in one step, written through to the disk.
  virtual bool MoveReplace(const std::wstring& from, const std::wstring& to) = 0;
  virtual bool Copy(const std::wstring& from, const std::wstring& to) = 0;
  // Names (not paths) of the files directly in a folder, in the folder's
  // order; links are not files here.
  virtual std::vector<std::wstring> ListFiles(const std::wstring& folder) = 0;
  // Names of the folders directly in a folder; links are not folders here.
  virtual std::vector<std::wstring> ListFolders(const std::wstring& folder) = 0;
  // Names of the links directly in a folder, to folders and to files.
  virtual std::vector<std::wstring> ListLinks(const std::wstring& folder) = 0;
  // Short (8.3) and long forms of an existing path; empty text on failure.
  virtual std::wstring ShortPathName(const std::wstring& path) = 0;
  virtual std::wstring LongPathName(const std::wstring& path) = 0;
  // The user's temporary folder as the system reports it (with its trailing
  // backslash), or empty text.
  virtual std::wstring TempPath() = 0;

  // Why the last operation that can fail failed on this thread; None when it
  // succeeded. Every operation that answers false or nothing on failure sets
  // it, including those of OutputFile and InputFile, and the walks below;
  // questions (FileExists, FolderExists, IsLink, the lists, the path forms,
  // TempPath) leave it as it was.
  virtual FsFailure LastFailure() = 0;
  // Opens an existing file for reading; nothing when it cannot.
  virtual std::unique_ptr<InputFile> OpenRead(const std::wstring& path) = 0;
  // Hands the names of the files directly in a folder to `each`, one at a
  // time and in the folder's order, without ever holding them all: a work
  // folder can hold 150,001 of them. Links are not files here, as in
  // ListFiles. `each` answers false to stop the walk, and may remove the
  // file it was handed: the walk then neither skips nor repeats another.
  // False when the folder could not be read (LastFailure says why); true
  // when the walk ended or was stopped.
  virtual bool EachFile(const std::wstring& folder, const std::function<bool(const std::wstring& name)>& each) = 0;
};

}  // namespace vantrel
