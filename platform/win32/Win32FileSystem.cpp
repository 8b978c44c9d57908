#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"

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

bool Win32FileSystem::ReadAll(const std::wstring& path, std::string& bytes) {
  FileHandle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.valid()) return false;
  bytes.clear();
  char chunk[65536];
  DWORD got = 0;
  while (::ReadFile(h.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  return true;
}

bool Win32FileSystem::WriteAll(const std::wstring& path, const std::string& bytes) {
  FileHandle h(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  return h.valid() && WriteBytes(h.get(), bytes);
}

bool Win32FileSystem::AppendAll(const std::wstring& path, const std::string& bytes) {
  FileHandle h(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  return h.valid() && WriteBytes(h.get(), bytes);
}

namespace {

class Win32OutputFile : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE h) : h_(h) {}
  bool Write(const std::string& bytes) override { return h_.valid() && WriteBytes(h_.get(), bytes); }
  bool Close() override {
    const bool was = h_.valid();
    h_.reset();
    return was;
  }

 private:
  FileHandle h_;
};

}  // namespace

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

std::vector<std::wstring> List(const std::wstring& folder, bool folders) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (!find.valid()) return names;
  do {
    const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::wstring name = data.cFileName;
    if (isFolder == folders && name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find.get(), &data));
  return names;
}

}  // namespace

std::vector<std::wstring> Win32FileSystem::ListFiles(const std::wstring& folder) { return List(folder, false); }

std::vector<std::wstring> Win32FileSystem::ListFolders(const std::wstring& folder) { return List(folder, true); }

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
