// An in-memory file system with Windows path rules. Drives exist only once a
// test adds them. Any operation can be made to fail through `refuse`, which
// is how tests stage a locked file, a full disk or a vanished folder.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "platform/FileSystem.h"

namespace vantrel::fake {

enum class FsOp { Read, Write, Append, RemoveFile, CreateFolder, RemoveFolder, Copy, Move };

class FakeFileSystem : public FileSystem {
 public:
  void AddDrive(wchar_t letter);
  // Test set-up: creates the folder and all its parents.
  void MakeFolders(const std::wstring& path);
  // Test set-up: the file and its parent folders.
  void PutFile(const std::wstring& path, const std::string& bytes, bool readOnly = false);
  std::string Contents(const std::wstring& path) const;
  std::size_t EntryCount() const { return entries_.size(); }

  std::function<bool(FsOp, const std::wstring&)> refuse;
  // Bytes a drive holds at most, by upper-case letter; unlimited when absent.
  std::map<wchar_t, uint64_t> capacity;
  uint64_t UsedOn(wchar_t letter) const;
  std::wstring tempPath = L"C:\\Users\\test\\Temp\\";

  bool FileExists(const std::wstring& path) override;
  bool FolderExists(const std::wstring& path) override;
  bool CreateFolder(const std::wstring& path) override;
  bool RemoveFile(const std::wstring& path) override;
  bool RemoveFolder(const std::wstring& path) override;
  bool ReadAll(const std::wstring& path, std::string& bytes) override;
  bool WriteAll(const std::wstring& path, const std::string& bytes) override;
  bool AppendAll(const std::wstring& path, const std::string& bytes) override;
  std::unique_ptr<OutputFile> Create(const std::wstring& path) override;
  bool MoveReplace(const std::wstring& from, const std::wstring& to) override;
  bool Copy(const std::wstring& from, const std::wstring& to) override;
  std::vector<std::wstring> ListFiles(const std::wstring& folder) override;
  std::vector<std::wstring> ListFolders(const std::wstring& folder) override;
  std::wstring ShortPathName(const std::wstring& path) override;
  std::wstring LongPathName(const std::wstring& path) override;
  std::wstring TempPath() override { return tempPath; }

 private:
  friend class FakeOutputFile;
  struct Entry {
    bool folder = false;
    bool readOnly = false;
    std::string bytes;
    std::wstring name;  // as created, for listings
    uint64_t order = 0;
  };
  Entry* Find(const std::wstring& path);
  bool Refused(FsOp op, const std::wstring& path) const { return refuse && refuse(op, path); }
  bool ParentIsFolder(const std::wstring& key);
  std::vector<std::wstring> List(const std::wstring& folder, bool folders);
  bool StoreFile(const std::wstring& path, const std::string& bytes, bool append);
  bool Fits(const std::wstring& key, std::size_t growth) const;

  std::map<std::wstring, Entry> entries_;
  uint64_t nextOrder_ = 0;
};

}  // namespace vantrel::fake
