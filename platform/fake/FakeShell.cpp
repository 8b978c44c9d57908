#include "platform/fake/FakeShell.h"

#include <algorithm>

namespace vantrel::fake {

namespace {
constexpr int32_t kCreateFlag = 0x8000;
constexpr int32_t kInvalidArg = static_cast<int32_t>(0x80070057);
}  // namespace

SpecialFolderAnswer FakeShell::SpecialFolderPath(int32_t csidl) {
  const int32_t id = csidl & ~kCreateFlag;
  if (std::find(missing.begin(), missing.end(), id) != missing.end()) return {1, L""};
  const auto it = folders.find(id);
  if (it == folders.end()) return {kInvalidArg, L""};
  if ((csidl & kCreateFlag) && !files_.FolderExists(it->second)) files_.CreateFolder(it->second);
  return {0, it->second};
}

intptr_t FakeShell::OpenDocument(const std::wstring& file) {
  opened.push_back(file);
  return openResult;
}

bool FakeShell::StartProcess(const std::wstring& commandLine, bool) {
  started.push_back(commandLine);
  return startResult;
}

bool FakeShell::CreateShortcut(const ShortcutFile& shortcut) {
  if (!files_.WriteAll(shortcut.link, "shortcut")) return false;
  shortcuts[shortcut.link] = shortcut;
  return true;
}

}  // namespace vantrel::fake
