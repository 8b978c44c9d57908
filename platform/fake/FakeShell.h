// A shell that answers special-folder questions from a table, records what it
// was asked to open or start, and keeps shortcuts as files of the fake disk.
#pragma once
#include <map>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace vantrel::fake {

class FakeShell : public Shell {
 public:
  explicit FakeShell(FileSystem& files) : files_(files) {}

  // Folder paths by CSIDL number (without flags); unknown numbers are invalid.
  std::map<int32_t, std::wstring> folders;
  // Numbers answered with "the folder does not exist".
  std::vector<int32_t> missing;
  intptr_t openResult = 42;
  bool startResult = true;
  std::vector<std::wstring> opened;
  std::vector<std::wstring> started;
  std::map<std::wstring, ShortcutFile> shortcuts;  // by link path as given
  int binEmptied = 0;
  bool emptyBinResult = true;

  SpecialFolderAnswer SpecialFolderPath(int32_t csidl) override;
  intptr_t OpenDocument(const std::wstring& file) override;
  bool StartProcess(const std::wstring& commandLine, bool hidden) override;
  bool CreateShortcut(const ShortcutFile& shortcut) override;
  bool EmptyRecycleBin() override {
    ++binEmptied;
    return emptyBinResult;
  }

 private:
  FileSystem& files_;
};

}  // namespace vantrel::fake
