#include "app/UninstallScripts.h"

#include <algorithm>

#include "platform/Platform.h"
#include "services/IgnoringFailures.h"
#include "services/NumericText.h"

namespace vantrel {

namespace {

// "C:", "C:\" and "\\server\share" are roots; "C:\Apps" and
// "\\server\share\Apps" are folders of their own.
bool IsRoot(const std::wstring& folder) {
  std::size_t parts = 0;
  for (std::size_t at = 0; at < folder.size();) {
    const std::size_t end = std::min(folder.find(L'\\', at), folder.size());
    if (end > at) ++parts;
    at = end + 1;
  }
  return parts < (folder.starts_with(L"\\\\") ? 3u : 2u);
}

}  // namespace

std::wstring BatchLiteral(const std::wstring& path) {
  std::wstring literal;
  for (const wchar_t ch : path) {
    literal += ch;
    if (ch == L'%') literal += L'%';
  }
  return literal;
}

bool AppFolderIsItsOwn(const Installation& at) {
  if (at.exeName.empty() || IsRoot(at.appFolder)) return false;
  return IgnoringFailures(false, [&] {
    FileSystem& fs = *Os().files;
    bool exeSeen = false;
    for (const std::wstring& name : fs.ListFiles(at.appFolder)) {
      const std::wstring lower = AsciiLower(name);
      exeSeen = exeSeen || lower == AsciiLower(at.exeName + L".exe");
      if (lower != AsciiLower(at.exeName + L".exe") &&
          std::ranges::none_of(kShippedFiles, [&](const std::wstring& f) { return lower == AsciiLower(f); }))
        return false;
    }
    for (const std::wstring& name : fs.ListFolders(at.appFolder))
      if (AsciiLower(name) != AsciiLower(kShippedFolder)) return false;
    // A listing that failed shows no executable either.
    return exeSeen && fs.ListLinks(at.appFolder).empty();
  });
}

UninstallScripts BuildUninstallScripts(const Installation& at, const std::wstring& dataFolder,
                                       const std::wstring& tempFolder, bool removeAppFolder) {
  const auto quoted = [](const std::wstring& path) { return L"\"" + BatchLiteral(path) + L"\""; };
  const std::wstring image = AsciiLower(at.exeName + L".exe");
  UninstallScripts s;
  // The wait sits before the first try, so that giving up jumps straight to
  // the last line. "ping" is the one-second wait both Windows' command
  // interpreter and Wine's have; neither knows a sleep.
  s.batchLoop = {L"@Echo off",
                 L"Set tries=0",
                 L"Goto S",
                 L":W",
                 L"Set /A tries+=1",
                 L"If %tries% GEQ " + std::to_wstring(kDeleteTries) + L" Goto E",
                 L"ping -n 2 127.0.0.1 >nul",
                 L":S",
                 L"taskkill /F /IM " + image,
                 L"Del " + quoted(at.exe),
                 L"If Exist " + quoted(at.exe) + L" Goto W"};
  s.batchSettings = L"rmdir /S /Q " + quoted(dataFolder);
  s.batchTraces = {L"Del " + quoted(at.desktopLink), L"rmdir /S /Q " + quoted(at.menuFolder)};
  if (removeAppFolder) s.batchTraces.push_back(L"rmdir /S /Q " + quoted(at.appFolder));
  // Wine's command interpreter reads on after the batch has deleted itself,
  // so that has to be the last line.
  s.batchTraces.insert(s.batchTraces.end(), {L":E", L"Del " + quoted(tempFolder + L"\\Uninstall.bat")});
  s.regHeader = L"REGEDIT4";
  s.regSettings = L"[-HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\VNL]";
  s.regEntry = L"[-" + at.entryKey + L"]";
  return s;
}

std::string ScriptBytes(const std::vector<std::wstring>& lines, unsigned codePage) {
  std::wstring text;
  for (const std::wstring& line : lines) text += line + L"\r\n";
  return Os().codec->Encode(codePage, text);
}

}  // namespace vantrel
