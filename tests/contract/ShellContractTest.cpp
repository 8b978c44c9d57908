#include <gtest/gtest.h>

#include "services/Environment.h"
#include "platform/Platform.h"
#include "platform/win32/WinApi.h"
#include "services/OpenURL.h"
#include "services/Paths.h"
#include "services/RegistryHelpers.h"
#include "services/Shortcuts.h"
#include "services/SpecialFolder.h"
#include "tests/contract/ContractHarness.h"

#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace vantrel::contract {
namespace {

TEST(ShellContract, SpecialFolders) {
  const std::wstring appData = SpecialFolder(csidl::AppData);
  EXPECT_TRUE(FolderExists(appData)) << appData.c_str();
  EXPECT_NE(appData.back(), L'\\');
  EXPECT_EQ(SpecialFolder(csidl::Windows).substr(1), L":\\windows");
  EXPECT_EQ(SpecialFolder(0x7777), L"***************************** An invalid folder ID was specified.");
}

TEST(ShellContract, ShortcutReadsBackThroughTheShell) {
  const std::wstring folder = ScratchFolder();
  const std::wstring link = folder + L"\\Vantrel.lnk";
  MakeShortcut(link, L"C:\\windows\\notepad.exe", L"Edit notes", L"C:\\windows", L"updates", L"");
  ASSERT_TRUE(FileExists(link));
  IShellLinkW* shell = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                         reinterpret_cast<void**>(&shell))));
  IPersistFile* file = nullptr;
  ASSERT_TRUE(SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
  ASSERT_TRUE(SUCCEEDED(file->Load(link.c_str(), STGM_READ)));
  wchar_t text[MAX_PATH] = {};
  shell->GetPath(text, MAX_PATH, nullptr, 0);
  EXPECT_EQ(std::wstring(text).find(L"notepad.exe") != std::wstring::npos, true) << text;
  shell->GetDescription(text, MAX_PATH);
  EXPECT_STREQ(text, L"Edit notes");
  shell->GetArguments(text, MAX_PATH);
  EXPECT_STREQ(text, L"updates");
  shell->GetWorkingDirectory(text, MAX_PATH);
  EXPECT_STREQ(text, L"C:\\windows");
  int icon = -1;
  text[0] = 0;
  shell->GetIconLocation(text, MAX_PATH, &icon);
  EXPECT_STREQ(text, L"");  // left at its default
  file->Release();
  shell->Release();
}

TEST(ShellContract, UrlShortcutHasFourLines) {
  const std::wstring file = ScratchFolder() + L"\\site.url";
  WriteUrlShortcut(file, L"http://127.0.0.1/x", L"0", L"C:\\a.exe");
  std::string bytes;
  ASSERT_TRUE(Os().files->ReadAll(file, bytes));
  EXPECT_EQ(bytes, "[InternetShortcut]\r\nURL=http://127.0.0.1/x\r\nIconIndex=0\r\nIconFile=C:\\a.exe\r\n");
}

TEST(ShellContract, OpenUrlWithoutAHandlerOrBrowser) {
  // This prefix is the test's own: its web handler and browser may go.
  RegistryDelete(L"HKEY_CLASSES_ROOT\\http\\shell\\open\\command\\");
  Messages().shown.clear();
  OpenURL(L"http://127.0.0.1:9/");
  EXPECT_TRUE(Messages().shown.empty());

  Os().registry->CreateKey(Hive::ClassesRoot, L"http\\shell\\open\\command");
  Os().registry->SetValue(Hive::ClassesRoot, L"http\\shell\\open\\command", L"", StringValue(L""));
  DeleteFileW(L"C:\\Program Files\\Internet Explorer\\iexplore.exe");
  OpenURL(L"http://127.0.0.1:9/");
  ASSERT_EQ(Messages().shown.size(), 1u);
  EXPECT_EQ(Messages().shown[0].text,
            L"ERROR! Can't find browser to open the following URL:\r\nhttp://127.0.0.1:9/");
}

TEST(ShellContract, CountryNameIsPlainText) {
  const std::wstring country = CountryName();
  EXPECT_EQ(country.find(L'\0'), std::wstring::npos);
  EXPECT_LT(country.size(), 100u);
}

}  // namespace
}  // namespace vantrel::contract
