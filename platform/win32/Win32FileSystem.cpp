#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"

#include <algorithm>
#include <utility>

namespace vantrel::win32 {

namespace {

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool WriteBytes(HANDLE h, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
    DWORD written = 0;
    if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
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

bool Win32FileSystem::CreateFolder(const std::wstring& path) {
  return CreateDirectoryW(path.c_str(), nullptr) != 0;
}

bool Win32FileSystem::RemoveFile(const std::wstring& path) { return DeleteFileW(path.c_str()) != 0; }

bool Win32FileSystem::RemoveFolder(const std::wstring& path) {
  return RemoveDirectoryW(path.c_str()) != 0;
}

bool Win32FileSystem::IsLink(const std::wstring& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool Win32FileSystem::RemoveLink(const std::wstring& path) {
  if (!IsLink(path)) return false;
  // Deleting by name resolves the link on some systems and deletes what it
  // points to, so the link is opened as itself and deleted through that
  // handle. The handle is asked again: a link swapped for a folder after the
  // check above, or a system that opened the target anyway, is refused.
  FileHandle h(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.valid()) return false;
  FILE_ATTRIBUTE_TAG_INFO opened{};
  if (!GetFileInformationByHandleEx(h.get(), FileAttributeTagInfo, &opened, sizeof opened) ||
      !(opened.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return false;
  FILE_DISPOSITION_INFO remove{TRUE};
  if (!SetFileInformationByHandle(h.get(), FileDispositionInfo, &remove, sizeof remove)) return false;
  h.reset();
  return !IsLink(path);
}

bool Win32FileSystem::ReadAll(const std::wstring& path, std::string& bytes) {
  bytes.clear();
  FileHandle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.valid()) return false;
  char chunk[65536];
  for (;;) {
    DWORD got = 0;
    // A read that fails half-way must not pass for the whole file: a caller
    // that writes the text back would lose the rest.
    if (!::ReadFile(h.get(), chunk, sizeof chunk, &got, nullptr)) {
      bytes.clear();
      return false;
    }
    if (got == 0) return true;
    bytes.append(chunk, got);
  }
}

namespace {

class Win32OutputFile final : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE h) : h_(h) {}
  ~Win32OutputFile() override { Close(); }
  Win32OutputFile(const Win32OutputFile&) = delete;
  Win32OutputFile& operator=(const Win32OutputFile&) = delete;

  bool Write(const std::string& bytes) override { return open() && WriteBytes(h_, bytes); }
  bool Flush() override { return open() && FlushFileBuffers(h_) != 0; }
  // The handle is held bare rather than in a FileHandle because the answer
  // of CloseHandle matters: a failed close can mean lost data.
  bool Close() override { return open() && CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != 0; }

 private:
  bool open() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE h_;
};

// Writes and closes, so that a close that fails counts like a write that
// fails.
bool WriteAndClose(HANDLE h, const std::string& bytes) {
  if (h == INVALID_HANDLE_VALUE) return false;
  Win32OutputFile file(h);
  const bool written = file.Write(bytes);
  return file.Close() && written;
}

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
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32OutputFile>(h);
}

bool Win32FileSystem::MoveReplace(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32FileSystem::Copy(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

namespace {

enum class Entry { File, Folder, Link };

// A reparse point counts as a link whatever it points to, so that nothing
// that walks folders or removes files goes through one by accident.
Entry KindOf(DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return Entry::Link;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Entry::Folder : Entry::File;
}

std::vector<std::wstring> List(const std::wstring& folder, Entry kind) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (!find.valid()) return names;
  do {
    const std::wstring name = data.cFileName;
    if (KindOf(data.dwFileAttributes) == kind && name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find.get(), &data));
  return names;
}

}  // namespace

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

std::wstring Win32FileSystem::TempPath() {
  wchar_t buffer[512];
  const DWORD n = GetTempPathW(512, buffer);
  return n == 0 || n > 512 ? std::wstring() : std::wstring(buffer, n);
}

}  // namespace vantrel::win32
