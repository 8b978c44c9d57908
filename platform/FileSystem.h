// Files and folders. Paths are Windows paths (backslashes, drive letters) on
// every platform; names compare without regard to case.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {

// A file open for writing; closing it flushes what was written.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool Write(const std::string& bytes) = 0;
  virtual bool Close() = 0;
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
  virtual bool ReadAll(const std::wstring& path, std::string& bytes) = 0;
  // Creates or empties the file, then writes.
  virtual bool WriteAll(const std::wstring& path, const std::string& bytes) = 0;
  virtual bool AppendAll(const std::wstring& path, const std::string& bytes) = 0;
  // Opens for writing, created or emptied; nothing when it cannot.
  virtual std::unique_ptr<OutputFile> Create(const std::wstring& path) = 0;
  // Replaces the destination in one step, written through to the disk.
  virtual bool MoveReplace(const std::wstring& from, const std::wstring& to) = 0;
  virtual bool Copy(const std::wstring& from, const std::wstring& to) = 0;
  // Names (not paths) of the files directly in a folder, in the folder's order.
  virtual std::vector<std::wstring> ListFiles(const std::wstring& folder) = 0;
  // Names of the folders directly in a folder.
  virtual std::vector<std::wstring> ListFolders(const std::wstring& folder) = 0;
  // Short (8.3) and long forms of an existing path; empty text on failure.
  virtual std::wstring ShortPathName(const std::wstring& path) = 0;
  virtual std::wstring LongPathName(const std::wstring& path) = 0;
  // The user's temporary folder as the system reports it (with its trailing
  // backslash), or empty text.
  virtual std::wstring TempPath() = 0;
};

}  // namespace vantrel
