#include "app/UninstallScripts.h"

#include "platform/Platform.h"
#include "services/NumericText.h"

namespace vantrel {

std::wstring BatchLiteral(const std::wstring& path) {
  std::wstring literal;
  for (const wchar_t ch : path) {
    literal += ch;
    if (ch == L'%') literal += L'%';
  }
  return literal;
}

UninstallScripts BuildUninstallScripts(const Installation& at, const std::wstring& dataFolder,
                                       const std::wstring& tempFolder) {
  const auto quoted = [](const std::wstring& path) { return L"\"" + BatchLiteral(path) + L"\""; };
  const std::wstring image = AsciiLower(at.exeName + L".exe");
  UninstallScripts s;
  s.batchLoop = {L"@Echo off", L":S", L"taskkill /F /IM " + image, L"Del " + quoted(at.exe),
                 L"If Exist " + quoted(at.exe) + L" Goto S"};
  s.batchSettings = L"rmdir /S /Q " + quoted(dataFolder);
  s.batchTraces = {L"Del " + quoted(at.desktopLink), L"rmdir /S /Q " + quoted(at.menuFolder),
                   L"rmdir /S /Q " + quoted(at.programFolder), L"Del " + quoted(tempFolder + L"\\Uninstall.bat")};
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
