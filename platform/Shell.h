// The Windows shell: special folders, opening documents, starting programs,
// shortcut files and the Recycle Bin.
#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

struct SpecialFolderAnswer {
  int32_t result = -1;  // the shell's HRESULT-style code: 0 found, 1 missing
  std::wstring path;
};

struct ShortcutFile {
  std::wstring link;  // the .lnk file
  std::wstring target;
  std::wstring description;
  std::wstring workingFolder;
  std::wstring arguments;
  std::wstring iconLocation;  // left at the default when empty
};

class Shell {
 public:
  virtual ~Shell() = default;
  // csidl already carries any flags the caller wants (such as "create").
  virtual SpecialFolderAnswer SpecialFolderPath(int32_t csidl) = 0;
  // Opens a document or address with its handler; the shell's result code
  // (32 or below is a failure).
  virtual intptr_t OpenDocument(const std::wstring& file) = 0;
  // Starts a command line without waiting for it.
  virtual bool StartProcess(const std::wstring& commandLine, bool hidden) = 0;
  virtual bool CreateShortcut(const ShortcutFile& shortcut) = 0;
  // Empties the Recycle Bin of every drive without asking, showing or
  // sounding anything; false when the shell reported a failure (an empty
  // bin may count as one).
  virtual bool EmptyRecycleBin() = 0;
};

}  // namespace vantrel
