// The two scripts that finish an uninstallation after the program has
// ended: "Uninstall.bat" removes the files and folders, "uninstall.reg" the
// registry keys. Their lines come grouped by the step of the uninstallation
// that writes them.
#pragma once
#include <string>
#include <vector>

#include "app/Installation.h"

namespace vantrel {

// The batch tries this many times to delete the executable, a second apart,
// then gives up: a file it may not delete must not keep it (and its killing
// of every copy of the program) running for ever.
inline constexpr int kDeleteTries = 30;

struct UninstallScripts {
  // Kills the program and deletes its executable until that succeeds or the
  // tries run out; then it skips the rest and only deletes itself.
  std::vector<std::wstring> batchLoop;
  std::wstring batchSettings;  // only when the settings go too
  // The shortcuts, the menu and program folders, and the batch file itself.
  std::vector<std::wstring> batchTraces;
  std::wstring regHeader;
  std::wstring regSettings;  // only when the settings go too
  std::wstring regEntry;
};

// removeAppFolder: whether the batch removes the program's folder whole
// (AppFolderIsItsOwn); otherwise it deletes only the executable.
UninstallScripts BuildUninstallScripts(const Installation& at, const std::wstring& dataFolder,
                                       const std::wstring& tempFolder, bool removeAppFolder);

// The program's folder may go whole only when it is no drive or share root
// and holds nothing but what the program ships, the running executable
// among it: a folder the user chose at installation may be one of theirs.
bool AppFolderIsItsOwn(const Installation& at);

// A path as the command interpreter must read it in a batch file: it expands
// "%" even inside double quotes, so a folder named "100%Pure" would turn into
// another path; doubled, it stays one "%".
std::wstring BatchLiteral(const std::wstring& path);

// Lines as the scripts are stored: 8-bit text, each line ended by CR LF. The
// registry editor reads its scripts in the ANSI code page, the command
// interpreter its batch files in the OEM code page: a batch in the ANSI one
// would name "C:\Users\José" as another folder, and leave it.
std::string ScriptBytes(const std::vector<std::wstring>& lines, unsigned codePage);

}  // namespace vantrel
