#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"

#include <algorithm>
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
bool WriteBytes(HANDLE h, const std::string& bytes) {
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

bool Win32FileSystem::RemoveFile(const std::wstring& path) { return Done(DeleteFileW(path.c_str())); }

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

  bool Write(const std::string& bytes) override {
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

std::unique_ptr<OutputFile> Win32FileSystem::Create(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    Failed();
    return nullptr;
  }
  Succeeded();
  return std::make_unique<Win32OutputFile>(h);
}

std::unique_ptr<OutputFile> Win32FileSystem::CreateNew(const std::wstring& path) {
  // CREATE_NEW fails on any name that exists, a link included, and opening
  // the reparse point itself keeps even a link created in the same instant
  // from being followed.
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    Failed();
    return nullptr;
  }
  Succeeded();
  return std::make_unique<Win32OutputFile>(h);
}

namespace {

// The folder is opened as itself (a link is not followed) with the right
// to delete it and without sharing that right: Windows then refuses every
// rename, removal or replacement of it, and of the folders above it, until
// the handle closes.
class Win32FolderHold final : public FolderHold {
 public:
  explicit Win32FolderHold(HANDLE h) : h_(h) {}
  bool Remove() override {
    FILE_DISPOSITION_INFO remove{TRUE};
    const bool marked = SetFileInformationByHandle(h_.get(), FileDispositionInfo, &remove, sizeof remove);
    const FsFailure why = marked ? FsFailure::None : FailureOfError(GetLastError());
    // The folder goes when its last handle closes.
    const bool closed = h_.valid() && CloseHandle(h_.release());
    if (!marked) return FailedWith(why == FsFailure::None ? FsFailure::Refused : why);
    return closed ? Succeeded() : Failed();
  }

 private:
  FileHandle h_;
};

}  // namespace

std::unique_ptr<FolderHold> Win32FileSystem::Hold(const std::wstring& folder) {
  FileHandle h(CreateFileW(folder.c_str(), DELETE | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!h.valid()) {
    Failed();
    return nullptr;
  }
  // Asked of what was opened: the path may have changed since anyone looked.
  FILE_ATTRIBUTE_TAG_INFO opened{};
  if (!GetFileInformationByHandleEx(h.get(), FileAttributeTagInfo, &opened, sizeof opened)) {
    Failed();
    return nullptr;
  }
  if ((opened.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !(opened.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    FailedWith(FsFailure::Refused);
    return nullptr;
  }
  Succeeded();
  return std::make_unique<Win32FolderHold>(h.release());
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
