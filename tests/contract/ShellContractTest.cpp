#include <gtest/gtest.h>

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

TEST(ShellContract, SpecialFoldersAsTheEnvironmentUsesThem) {
  const std::wstring appData = SpecialFolder(csidl::AppData);
  EXPECT_TRUE(FolderExists(appData) && appData.back() != L'\\') << std::string(appData.begin(), appData.end());
  EXPECT_EQ(SpecialFolder(csidl::Windows).substr(1), L":\\windows");
  EXPECT_EQ(SpecialFolder(0x7777), L"***************************** An invalid folder ID was specified.");
}

// A shortcut reads back through the shell with the fields the installer
// gave it and the icon left at its default; a web link has its four lines.
TEST(ShellContract, ShortcutsReadBackThroughTheShell) {
  const std::wstring folder = ScratchFolder(), link = folder + L"\\Vantrel.lnk";
  MakeShortcut(link, L"C:\\windows\\notepad.exe", L"Edit notes", L"C:\\windows", L"updates", L"");
  IShellLinkW* shell = nullptr;
  IPersistFile* file = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                         reinterpret_cast<void**>(&shell))));
  ASSERT_TRUE(SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
  ASSERT_TRUE(SUCCEEDED(file->Load(link.c_str(), STGM_READ)));
  wchar_t path[MAX_PATH] = {}, description[MAX_PATH] = {}, arguments[MAX_PATH] = {}, working[MAX_PATH] = {},
          icon[MAX_PATH] = {};
  int index = -1;
  shell->GetPath(path, MAX_PATH, nullptr, 0);
  shell->GetDescription(description, MAX_PATH);
  shell->GetArguments(arguments, MAX_PATH);
  shell->GetWorkingDirectory(working, MAX_PATH);
  shell->GetIconLocation(icon, MAX_PATH, &index);
  file->Release();
  shell->Release();
  EXPECT_NE(std::wstring(path).find(L"notepad.exe"), std::wstring::npos);
  EXPECT_EQ(std::wstring(description) + L"|" + arguments + L"|" + working + L"|" + icon,
            L"Edit notes|updates|C:\\windows|");
  WriteUrlShortcut(folder + L"\\site.url", L"http://127.0.0.1/x", L"0", L"C:\\a.exe");
  std::string bytes;
  ASSERT_TRUE(Os().files->ReadAll(folder + L"\\site.url", bytes));
  EXPECT_EQ(bytes, "[InternetShortcut]\r\nURL=http://127.0.0.1/x\r\nIconIndex=0\r\nIconFile=C:\\a.exe\r\n");
}

// Without a registered handler key nothing happens; with an empty one and
// no browser the user is told.
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
  EXPECT_EQ(Messages().shown[0].text, L"ERROR! Can't find browser to open the following URL:\r\nhttp://127.0.0.1:9/");
}

}  // namespace
}  // namespace vantrel::contract
