// A small Windows machine made of fakes: drive C with the usual folders, the
// program installed with its language folder.
#pragma once
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "services/SpecialFolder.h"

namespace vantrel::test {

inline const std::wstring kAppFolder = L"C:\\Program Files\\Vantrel 3";
inline const std::wstring kLanguages = kAppFolder + L"\\Languages";

struct FakeMachine : fake::FakePlatform {
  FakeMachine() {
    files.AddDrive(L'C');
    files.MakeFolders(L"C:\\Windows");
    files.MakeFolders(kLanguages);
    files.MakeFolders(L"C:\\Users\\test\\Temp");
    files.MakeFolders(L"C:\\Users\\test\\AppData");
    files.MakeFolders(L"C:\\ProgramData");
    shell.folders = {{csidl::AppData, L"C:\\Users\\test\\AppData\\Roaming"},
                     {csidl::CommonAppData, L"C:\\ProgramData"},
                     {csidl::Windows, L"C:\\Windows"},
                     {csidl::ProgramFiles, L"C:\\Program Files"},
                     {csidl::CommonPrograms, L"C:\\ProgramData\\Start Menu\\Programs"},
                     {csidl::CommonDesktopDirectory, L"C:\\Users\\Public\\Desktop"}};
    system.applicationFolder = kAppFolder;
  }

  // A web browser registered as the handler of http addresses.
  void Browser(const wchar_t* command = L"browser.exe %1") {
    registry.CreateKey(Hive::ClassesRoot, L"HTTP\\shell\\open\\command");
    registry.SetValue(Hive::ClassesRoot, L"HTTP\\shell\\open\\command", L"", StringValue(command));
  }
  // The texts of the message boxes shown, in order.
  std::vector<std::wstring> Boxes() const {
    std::vector<std::wstring> texts;
    for (const auto& shown : dialogs.shown) texts.push_back(shown.text);
    return texts;
  }
  // A language file from lines joined with CR LF.
  void PutLanguage(const std::wstring& name, const std::string& text) {
    files.PutFile(kLanguages + L"\\" + name + L".ini", text);
  }
};

}  // namespace vantrel::test
