#include <gtest/gtest.h>

#include "services/OpenURL.h"
#include "services/Shortcuts.h"
#include "services/SpecialFolder.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kHandlerKey = L"HTTP\\shell\\open\\command";
const std::wstring kExplorer = L"C:\\Program Files\\Internet Explorer\\iexplore.exe";
const std::wstring kUrl = L"http://127.0.0.1/x?a=1";

TEST(SpecialFolder, AsksWithTheCreateFlagAndExplainsFailures) {
  FakeMachine m;
  m.shell.folders[csidl::MyMusic] = L"C:\\Users\\test\\Music";
  m.shell.missing.push_back(csidl::CdBurnArea);
  EXPECT_EQ(SpecialFolder(csidl::MyMusic), L"C:\\Users\\test\\Music");
  EXPECT_TRUE(m.files.FolderExists(L"C:\\Users\\test\\Music"));
  EXPECT_EQ(SpecialFolder(0x7777), L"***************************** An invalid folder ID was specified.");
  EXPECT_EQ(SpecialFolder(csidl::CdBurnArea), L"***************************** The folder does not exist.");
}

struct OpenUrl : ::testing::Test {
  FakeMachine m;
  void Handler(const std::wstring& command) {
    m.registry.CreateKey(Hive::ClassesRoot, kHandlerKey);
    m.registry.SetValue(Hive::ClassesRoot, kHandlerKey, L"", StringValue(command));
  }
};

TEST_F(OpenUrl, GoesThroughTheRegisteredHandler) {
  Handler(L"\"C:\\browser.exe\" \"%1\"");
  OpenURL(kUrl);
  EXPECT_EQ(m.shell.opened, std::vector<std::wstring>{kUrl});
  EXPECT_TRUE(m.dialogs.shown.empty());
}

TEST_F(OpenUrl, FallsBackToExplorerThenToAMessage) {
  Handler(L"browser.exe %1");
  m.shell.openResult = 2;  // the shell could not open it
  m.files.PutFile(kExplorer, "exe");
  OpenURL(kUrl);
  ASSERT_EQ(m.shell.started.size(), 1u);
  EXPECT_EQ(m.shell.started[0], L"\"" + kExplorer + L"\" \"" + kUrl + L"\"");

  m.files.RemoveFile(kExplorer);
  Handler(L"\"\"");  // only quotes: no handler after all
  OpenURL(kUrl);
  EXPECT_EQ(m.shell.opened.size(), 1u);
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].text, L"ERROR! Can't find browser to open the following URL:\r\n" + kUrl);
  EXPECT_EQ(m.dialogs.shown[0].style, mb::Exclamation);
  EXPECT_EQ(m.dialogs.shown[0].title, L"Vantrel");
}

TEST_F(OpenUrl, WithoutAHandlerKeyDoesNothingAtAll) {
  m.files.PutFile(kExplorer, "exe");
  OpenURL(kUrl);
  EXPECT_TRUE(m.shell.opened.empty());
  EXPECT_TRUE(m.shell.started.empty());
  EXPECT_TRUE(m.dialogs.shown.empty());
}

TEST(Shortcuts, LinkFieldsAndUrlFileLines) {
  FakeMachine m;
  m.files.MakeFolders(L"C:\\Links");
  EXPECT_TRUE(MakeShortcut(L"C:\\Links\\a.lnk", L"C:\\a.exe", L"Desc", L"C:\\", L"updates", L""));
  const ShortcutFile& s = m.shell.shortcuts.at(L"C:\\Links\\a.lnk");
  EXPECT_EQ(s.target, L"C:\\a.exe");
  EXPECT_EQ(s.description, L"Desc");
  EXPECT_EQ(s.workingFolder, L"C:\\");
  EXPECT_EQ(s.arguments, L"updates");
  EXPECT_EQ(s.iconLocation, L"");
  WriteUrlShortcut(L"C:\\Links\\site.url", L"http://127.0.0.1/", L"0", L"C:\\a.exe");
  EXPECT_EQ(m.files.Contents(L"C:\\Links\\site.url"),
            "[InternetShortcut]\r\nURL=http://127.0.0.1/\r\nIconIndex=0\r\nIconFile=C:\\a.exe\r\n");
  EXPECT_FALSE(WriteUrlShortcut(L"C:\\Nowhere\\x.url", L"u", L"0", L"i"));  // quietly nothing
  EXPECT_FALSE(m.files.FileExists(L"C:\\Nowhere\\x.url"));
}

}  // namespace
}  // namespace vantrel::test
