#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace vantrel::win32 {

FsFailure FailureOfError(unsigned long error) {
  // ERROR_DISK_QUOTA_EXCEEDED: the SDK's winerror.h has it, MinGW-w64's not.
  constexpr DWORD kDiskQuotaExceeded = 1295;
  constexpr DWORD kDeviceRemoved = 1617;  // ERROR_DEVICE_REMOVED, likewise
  switch (error) {
    case ERROR_SUCCESS:
      return FsFailure::None;
    // A quota is the user's own full disk: the free space the fill measures
    // is what the quota leaves.
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case kDiskQuotaExceeded:
      return FsFailure::DiskFull;
    case ERROR_FILE_NOT_FOUND:
      return FsFailure::Missing;
    // The folder on the way, or the whole drive, is not there (any more): a
    // stick pulled out answers with one of these, never with "file not
    // found", and a work file that vanished with its disk is no success.
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_BAD_NETPATH:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_NETNAME_DELETED:
    case ERROR_UNRECOGNIZED_VOLUME:
    case ERROR_FILE_INVALID:
    case ERROR_DEVICE_NOT_CONNECTED:
    case kDeviceRemoved:
      return FsFailure::Gone;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FsFailure::InUse;
    default:
      return FsFailure::Refused;
  }
}

namespace {

// Why this thread's last operation failed. It is taken from GetLastError at
// the moment of the failure, because the calls that follow (closing a
// handle, the logic's next question) may change the thread's last error.
thread_local FsFailure t_lastFailure = FsFailure::None;

bool Succeeded() {
  t_lastFailure = FsFailure::None;
  return true;
}

bool FailedWith(FsFailure why) {
  t_lastFailure = why;
  return false;
}

// To be called right after the system call that failed. A failure that left
// no error code is still a failure.
bool Failed() {
  const FsFailure why = FailureOfError(GetLastError());
  return FailedWith(why == FsFailure::None ? FsFailure::Refused : why);
}

bool Done(BOOL ok) { return ok ? Succeeded() : Failed(); }

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

// Writes straight from the caller's buffer, in one call for any block up to
// 16 MiB: a 1 MiB block costs one WriteFile and no copy.
bool WriteBytes(HANDLE h, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
    DWORD written = 0;
    if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    done += written;
  }
  return true;
}

// Asks a path converter, growing the buffer once when it reports more.
template <class Convert>
std::wstring ConvertPath(const std::wstring& path, Convert convert) {
  std::wstring buffer(1024, L'\0');
  DWORD n = convert(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n > buffer.size()) {
    buffer.assign(n + 1, L'\0');
    n = convert(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  }
  if (n == 0 || n > buffer.size()) return {};
  buffer.resize(n);
  return buffer;
}

}  // namespace

bool Win32FileSystem::FileExists(const std::wstring& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::FolderExists(const std::wstring& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::CreateFolder(const std::wstring& path) { return Done(CreateDirectoryW(path.c_str(), nullptr)); }

namespace {

// The path a handle reached, as the system resolved it, without the "\\?\"
// prefix; empty text when it cannot tell.
std::wstring FinalPath(HANDLE h) {
  std::wstring path(1024, L'\0');
  DWORD n = GetFinalPathNameByHandleW(h, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
  if (n >= path.size()) {
    path.assign(n + 1, L'\0');
    n = GetFinalPathNameByHandleW(h, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
  }
  if (n == 0 || n >= path.size()) return {};
  path.resize(n);
  if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\" + path.substr(7);
  if (path.starts_with(L"\\\\?\\")) return path.substr(4);
  return path;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return !a.empty() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                            static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// Whether a handle opened by `path` reached the entry of that name in its
// folder, and not what a link there points to. Windows opens a link itself
// when asked to; Wine opens its target whatever it is asked, and shows a
// link to a file as a plain file, so a handle that resolved to another
// place than its folder's own is a link. Folders above may be junctions:
// they resolve alike for both.
bool ReachedItself(HANDLE h, const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L'\\');
  if (cut == std::wstring::npos) return false;
  const std::wstring parent = cut == 2 && path[1] == L':' ? path.substr(0, 3) : path.substr(0, cut);
  // A folder's files go one after another: its own final path is asked
  // once. Kept from an earlier file it can only be stricter, as a folder
  // that moved since makes no file inside it match.
  thread_local std::wstring lastParent, lastFinal;
  if (parent != lastParent) {
    lastParent.clear();
    FileHandle folder(CreateFileW(parent.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder.valid()) return false;
    lastFinal = FinalPath(folder.get());
    if (lastFinal.empty()) return false;
    if (lastFinal.back() != L'\\') lastFinal += L'\\';
    lastParent = parent;
  }
  return SamePath(FinalPath(h), lastFinal + path.substr(cut + 1));
}

}  // namespace

// Deleting by name would follow a link to a file under Wine and delete what
// it points to, so the file is opened as itself, proven to be the entry of
// that name, and deleted through the handle. On Windows a link opened so is
// the link, and it goes; a read-only file refuses as with a delete by name.
bool Win32FileSystem::RemoveFile(const std::wstring& path) {
  FileHandle h(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!h.valid()) return Failed();
  FILE_ATTRIBUTE_TAG_INFO opened{};
  if (!GetFileInformationByHandleEx(h.get(), FileAttributeTagInfo, &opened, sizeof opened)) return Failed();
  if (opened.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) return FailedWith(FsFailure::Refused);
  const bool link = opened.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
  if (!link && !ReachedItself(h.get(), path)) return FailedWith(FsFailure::Refused);
  if (opened.FileAttributes & FILE_ATTRIBUTE_READONLY) return FailedWith(FsFailure::Refused);
  FILE_DISPOSITION_INFO remove{TRUE};
  if (!SetFileInformationByHandle(h.get(), FileDispositionInfo, &remove, sizeof remove)) return Failed();
  return CloseHandle(h.release()) ? Succeeded() : Failed();
}

bool Win32FileSystem::RemoveFolder(const std::wstring& path) { return Done(RemoveDirectoryW(path.c_str())); }

bool Win32FileSystem::IsLink(const std::wstring& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool Win32FileSystem::RemoveLink(const std::wstring& path) {
  const DWORD attributes = Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return Failed();
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return FailedWith(FsFailure::Refused);
  // Deleting by name resolves the link on some systems and deletes what it
  // points to, so the link is opened as itself and deleted through that
  // handle. The handle is asked again: a link swapped for a folder after the
  // check above, or a system that opened the target anyway, is refused.
  FileHandle h(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.valid()) return Failed();
  FILE_ATTRIBUTE_TAG_INFO opened{};
  if (!GetFileInformationByHandleEx(h.get(), FileAttributeTagInfo, &opened, sizeof opened)) return Failed();
  if (!(opened.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return FailedWith(FsFailure::Refused);
  FILE_DISPOSITION_INFO remove{TRUE};
  if (!SetFileInformationByHandle(h.get(), FileDispositionInfo, &remove, sizeof remove)) return Failed();
  h.reset();
  return IsLink(path) ? FailedWith(FsFailure::Refused) : Succeeded();
}

bool Win32FileSystem::ReadAll(const std::wstring& path, std::string& bytes) {
  bytes.clear();
  FileHandle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.valid()) return Failed();
  char chunk[65536];
  for (;;) {
    DWORD got = 0;
    // A read that fails half-way must not pass for the whole file: a caller
    // that writes the text back would lose the rest.
    if (!::ReadFile(h.get(), chunk, sizeof chunk, &got, nullptr)) {
      Failed();
      bytes.clear();
      return false;
    }
    if (got == 0) return Succeeded();
    bytes.append(chunk, got);
  }
}

namespace {

class Win32OutputFile final : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE h) : h_(h) {}
  // Closes quietly: the reason a write failed stays for LastFailure.
  ~Win32OutputFile() override {
    if (open()) CloseHandle(h_);
  }
  Win32OutputFile(const Win32OutputFile&) = delete;
  Win32OutputFile& operator=(const Win32OutputFile&) = delete;

  bool Write(std::string_view bytes) override {
    if (!open()) return FailedWith(FsFailure::Refused);
    return WriteBytes(h_, bytes) ? Succeeded() : Failed();
  }
  bool Flush() override { return open() ? Done(FlushFileBuffers(h_)) : FailedWith(FsFailure::Refused); }
  // The handle is held bare rather than in a FileHandle because the answer
  // of CloseHandle matters: a failed close can mean lost data.
  bool Close() override {
    if (!open()) return FailedWith(FsFailure::Refused);
    return Done(CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)));
  }

 private:
  bool open() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE h_;
};

// Writes and closes, so that a close that fails counts like a write that
// fails; a failed write's reason is the one kept.
bool WriteAndClose(HANDLE h, const std::string& bytes) {
  if (h == INVALID_HANDLE_VALUE) return Failed();
  Win32OutputFile file(h);
  if (!file.Write(bytes)) {
    const FsFailure why = t_lastFailure;
    file.Close();
    return FailedWith(why);
  }
  return file.Close();
}

class Win32InputFile final : public InputFile {
 public:
  explicit Win32InputFile(HANDLE h) : h_(h) {}

  // Reads into the caller's string, sized once: a string handed back again
  // after a full block is not filled or grown anew.
  bool Read(std::string& into, std::size_t most) override {
    const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(most, 1u << 30));
    into.resize(ask);
    DWORD got = 0;
    if (!::ReadFile(h_.get(), into.data(), ask, &got, nullptr)) {
      Failed();
      into.clear();
      return false;
    }
    into.resize(got);
    return Succeeded();
  }

 private:
  FileHandle h_;
};

}  // namespace

bool Win32FileSystem::WriteAll(const std::wstring& path, const std::string& bytes) {
  return WriteAndClose(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr),
                       bytes);
}

bool Win32FileSystem::AppendAll(const std::wstring& path, const std::string& bytes) {
  return WriteAndClose(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr),
                       bytes);
}

namespace {

std::unique_ptr<OutputFile> OpenForWriting(const std::wstring& path, DWORD disposition, DWORD flags) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition, flags, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    Failed();
    return nullptr;
  }
  Succeeded();
  return std::make_unique<Win32OutputFile>(h);
}

}  // namespace

std::unique_ptr<OutputFile> Win32FileSystem::Create(const std::wstring& path) {
  return OpenForWriting(path, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
}

// CREATE_NEW fails on any name that exists, a link included, and opening the
// reparse point itself keeps even a link created in the same instant from
// being followed.
std::unique_ptr<OutputFile> Win32FileSystem::CreateNew(const std::wstring& path) {
  return OpenForWriting(path, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT);
}

namespace {

// Opens a folder as itself, a link not followed, and checks what was opened:
// a folder and no reparse point. Wine follows a link to a folder even when
// asked not to and reports no reparse point on the handle, so the path is
// asked as well, after the open.
HANDLE OpenFolderItself(const std::wstring& folder, DWORD access, DWORD share) {
  FileHandle h(CreateFileW(folder.c_str(), access, share, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!h.valid()) {
    Failed();
    return INVALID_HANDLE_VALUE;
  }
  FILE_ATTRIBUTE_TAG_INFO opened{};
  if (!GetFileInformationByHandleEx(h.get(), FileAttributeTagInfo, &opened, sizeof opened)) {
    Failed();
    return INVALID_HANDLE_VALUE;
  }
  const DWORD byPath = Attributes(folder);
  // A drive's root is nobody's link to swap; Wine reports it as one when
  // its drive letter is a link to where the volume is mounted.
  const bool root = folder.size() == 3 && folder.ends_with(L":\\");
  const bool link = !root && ((opened.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
                              (byPath != INVALID_FILE_ATTRIBUTES && (byPath & FILE_ATTRIBUTE_REPARSE_POINT)));
  if (link || !(opened.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    FailedWith(FsFailure::Refused);
    return INVALID_HANDLE_VALUE;
  }
  return h.release();
}

struct FolderId {
  DWORD volume = 0, high = 0, low = 0;
  bool operator==(const FolderId&) const = default;
};

std::optional<FolderId> IdOf(HANDLE h) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(h, &info)) return std::nullopt;
  return FolderId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// The folder is held by a handle that does not share the right to delete:
// Windows then refuses every rename, removal or replacement of it (and of
// the folders above it) until the handle closes. The handle itself asks no
// right to delete, since a listing of the folder (which shares none under
// Wine) would then be refused; the folder goes through a second handle,
// opened once the hold has ended and accepted only for the same folder.
class Win32FolderHold final : public FolderHold {
 public:
  Win32FolderHold(HANDLE h, std::wstring path, FolderId id) : h_(h), path_(std::move(path)), id_(id) {}
  bool Remove() override {
    if (!h_.valid()) return FailedWith(FsFailure::Refused);
    h_.reset();
    FileHandle h(OpenFolderItself(path_, DELETE | FILE_READ_ATTRIBUTES, kShareAll));
    if (!h.valid()) return false;
    if (IdOf(h.get()) != id_) return FailedWith(FsFailure::Refused);
    FILE_DISPOSITION_INFO remove{TRUE};
    if (!SetFileInformationByHandle(h.get(), FileDispositionInfo, &remove, sizeof remove)) return Failed();
    // The folder goes as its last handle closes.
    return CloseHandle(h.release()) ? Succeeded() : Failed();
  }
  // NTFS names the index of a folder's names "$I30"; its allocation is a
  // stream of the folder that systems without named streams do not open.
  std::optional<uint64_t> IndexBytes() override {
    const std::wstring stream = path_ + L":$I30:$INDEX_ALLOCATION";
    FileHandle h(CreateFileW(stream.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    LARGE_INTEGER size{};
    if (!h.valid() || !GetFileSizeEx(h.get(), &size)) return std::nullopt;
    return static_cast<uint64_t>(size.QuadPart);
  }
  std::optional<FolderTimes> Times() override {
    FILE_BASIC_INFO info{};
    if (!h_.valid() || !GetFileInformationByHandleEx(h_.get(), FileBasicInfo, &info, sizeof info)) return std::nullopt;
    return FolderTimes{info.CreationTime.QuadPart, info.LastAccessTime.QuadPart, info.LastWriteTime.QuadPart,
                       info.ChangeTime.QuadPart};
  }
  bool SetTimes(const FolderTimes& times) override {
    if (!h_.valid()) return FailedWith(FsFailure::Refused);
    FILE_BASIC_INFO info{};  // attributes 0: left as they are
    info.CreationTime.QuadPart = times.created;
    info.LastAccessTime.QuadPart = times.accessed;
    info.LastWriteTime.QuadPart = times.written;
    info.ChangeTime.QuadPart = times.changed;
    return SetFileInformationByHandle(h_.get(), FileBasicInfo, &info, sizeof info) ? Succeeded() : Failed();
  }

 private:
  static constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  FileHandle h_;
  std::wstring path_;
  FolderId id_;
};

}  // namespace

std::unique_ptr<FolderHold> Win32FileSystem::Hold(const std::wstring& folder) {
  // Someone holds it already when even a handle that shares everything may
  // not have the right to delete it. A drive's root is never deleted nor
  // renamed, and refuses that right to everyone.
  if (!(folder.size() == 3 && folder.ends_with(L":\\"))) {
    FileHandle probe(OpenFolderItself(folder, DELETE | FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE));
    if (!probe.valid()) return nullptr;
  }
  // Writing attributes lets the folder's times be put back through the hold.
  FileHandle h(OpenFolderItself(folder, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE));
  if (!h.valid()) return nullptr;
  const auto id = IdOf(h.get());
  if (!id) {
    Failed();
    return nullptr;
  }
  Succeeded();
  return std::make_unique<Win32FolderHold>(h.release(), folder, *id);
}

namespace {

// Reads that bypass the cache must start and end on a sector and land in a
// buffer aligned to one: 4096 is a whole number of sectors of the disks of
// 512 and of 4096 bytes, and a page is aligned to it.
constexpr DWORD kSectorAlign = 4096;

class Win32RewriteFile final : public RewriteFile {
 public:
  explicit Win32RewriteFile(HANDLE h) : h_(h) {}
  ~Win32RewriteFile() override {
    if (buffer_) VirtualFree(buffer_, 0, MEM_RELEASE);
  }
  uint64_t Size() override {
    LARGE_INTEGER size{};
    return GetFileSizeEx(h_.get(), &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
  }
  bool WriteAt(uint64_t offset, const std::string& bytes) override {
    if (offset + bytes.size() > Size()) return FailedWith(FsFailure::Refused);
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(h_.get(), at, nullptr, FILE_BEGIN)) return Failed();
    return WriteBytes(h_.get(), bytes) ? Succeeded() : Failed();
  }
  bool Flush() override { return Done(FlushFileBuffers(h_.get())); }
  // Through a second handle to the same file, opened without the cache: no
  // path is looked up again, and no answer comes from memory.
  bool ReadFromDisk(uint64_t offset, std::string& into, std::size_t most) override {
    into.clear();
    if (!uncached_.valid()) {
      *uncached_.out() = ReOpenFile(h_.get(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    FILE_FLAG_NO_BUFFERING | FILE_FLAG_OPEN_REPARSE_POINT);
      if (!uncached_.valid()) return Failed();
    }
    const uint64_t start = offset / kSectorAlign * kSectorAlign;
    const std::size_t skip = static_cast<std::size_t>(offset - start);
    const DWORD ask = static_cast<DWORD>((skip + most + kSectorAlign - 1) / kSectorAlign * kSectorAlign);
    if (ask > capacity_) {
      if (buffer_) VirtualFree(buffer_, 0, MEM_RELEASE);
      buffer_ = VirtualAlloc(nullptr, ask, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
      capacity_ = buffer_ ? ask : 0;
      if (!buffer_) return Failed();
    }
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(start);
    at.OffsetHigh = static_cast<DWORD>(start >> 32);
    DWORD got = 0;
    if (!::ReadFile(uncached_.get(), buffer_, ask, &got, &at) && GetLastError() != ERROR_HANDLE_EOF) return Failed();
    if (got > skip) into.assign(static_cast<const char*>(buffer_) + skip, std::min<std::size_t>(got - skip, most));
    return Succeeded();
  }
  bool Close() override {
    uncached_.reset();
    if (!h_.valid()) return FailedWith(FsFailure::Refused);
    return Done(CloseHandle(h_.release()));
  }

 private:
  FileHandle h_, uncached_;
  void* buffer_ = nullptr;
  DWORD capacity_ = 0;
};

}  // namespace

// An existing file only, never through a link in its place, and nobody
// else writes to it meanwhile.
std::unique_ptr<RewriteFile> Win32FileSystem::OpenRewrite(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    Failed();
    return nullptr;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(h, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    CloseHandle(h);
    FailedWith(FsFailure::Refused);
    return nullptr;
  }
  Succeeded();
  return std::make_unique<Win32RewriteFile>(h);
}

std::unique_ptr<InputFile> Win32FileSystem::OpenRead(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    Failed();
    return nullptr;
  }
  Succeeded();
  return std::make_unique<Win32InputFile>(h);
}

bool Win32FileSystem::MoveReplace(const std::wstring& from, const std::wstring& to) {
  return Done(MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

bool Win32FileSystem::Copy(const std::wstring& from, const std::wstring& to) {
  return Done(CopyFileW(from.c_str(), to.c_str(), FALSE));
}

namespace {

enum class Entry { File, Folder, Link };

// A reparse point counts as a link whatever it points to, so that nothing
// that walks folders or removes files goes through one by accident.
Entry KindOf(DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return Entry::Link;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Entry::Folder : Entry::File;
}

// Hands on the names of one kind, one at a time: the system fetches them in
// large batches (64 KiB) but nothing here keeps them. Removing the entry
// just handed on is safe, as the search goes on from its own position.
bool Walk(const std::wstring& folder, Entry kind, const std::function<bool(const std::wstring&)>& each) {
  const std::wstring pattern = folder + (folder.ends_with(L'\\') ? L"*" : L"\\*");
  WIN32_FIND_DATAW data;
  FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH));
  if (!find.valid()) {
    // An empty drive root has not even "." and "..".
    return GetLastError() == ERROR_FILE_NOT_FOUND ? Succeeded() : Failed();
  }
  do {
    const std::wstring name = data.cFileName;
    if (KindOf(data.dwFileAttributes) == kind && name != L"." && name != L".." && !each(name)) return Succeeded();
  } while (FindNextFileW(find.get(), &data));
  return GetLastError() == ERROR_NO_MORE_FILES ? Succeeded() : Failed();
}

// The lists are questions: they leave the reason of the last failure alone.
std::vector<std::wstring> List(const std::wstring& folder, Entry kind) {
  const FsFailure kept = t_lastFailure;
  std::vector<std::wstring> names;
  Walk(folder, kind, [&](const std::wstring& name) {
    names.push_back(name);
    return true;
  });
  t_lastFailure = kept;
  return names;
}

}  // namespace

bool Win32FileSystem::EachFile(const std::wstring& folder, const std::function<bool(const std::wstring&)>& each) {
  return Walk(folder, Entry::File, each);
}

std::vector<std::wstring> Win32FileSystem::ListFiles(const std::wstring& folder) {
  return List(folder, Entry::File);
}

std::vector<std::wstring> Win32FileSystem::ListFolders(const std::wstring& folder) {
  return List(folder, Entry::Folder);
}

std::vector<std::wstring> Win32FileSystem::ListLinks(const std::wstring& folder) {
  return List(folder, Entry::Link);
}

std::wstring Win32FileSystem::ShortPathName(const std::wstring& path) {
  return ConvertPath(path, GetShortPathNameW);
}

std::wstring Win32FileSystem::LongPathName(const std::wstring& path) {
  return ConvertPath(path, GetLongPathNameW);
}

FsFailure Win32FileSystem::LastFailure() { return t_lastFailure; }

std::wstring Win32FileSystem::TempPath() {
  wchar_t buffer[512];
  const DWORD n = GetTempPathW(512, buffer);
  return n == 0 || n > 512 ? std::wstring() : std::wstring(buffer, n);
}

}  // namespace vantrel::win32
