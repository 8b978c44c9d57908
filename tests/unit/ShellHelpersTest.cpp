#include <gtest/gtest.h>

#include "services/OpenURL.h"
#include "services/Shortcuts.h"
#include "services/SpecialFolder.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kUrl = L"http://127.0.0.1/x?a=1";
const std::wstring kExplorer = L"C:\\Program Files\\Internet Explorer\\iexplore.exe";

TEST(SpecialFolder, IsMadeWhenMissingAndFailuresAreExplained) {
  FakeMachine m;
  m.shell.folders[csidl::MyMusic] = L"C:\\Users\\test\\Music";
  m.shell.missing.push_back(csidl::CdBurnArea);
  EXPECT_EQ(SpecialFolder(csidl::MyMusic), L"C:\\Users\\test\\Music");
  EXPECT_TRUE(m.files.FolderExists(L"C:\\Users\\test\\Music"));
  EXPECT_EQ(SpecialFolder(0x7777), L"***************************** An invalid folder ID was specified.");
  EXPECT_EQ(SpecialFolder(csidl::CdBurnArea), L"***************************** The folder does not exist.");
}

// Through the registered handler; when the shell cannot open the address,
// the browser that ships with Windows; without either, a message; without
// a handler key at all, nothing.
TEST(OpenUrl, GoesThroughTheHandlerThenTheBrowserThenAMessage) {
  const struct {
    const wchar_t* handler;  // nothing: no key
    int shellAnswer;
    bool browser;
    std::vector<std::wstring> opened, started;
    bool told;
  } cases[] = {{L"\"C:\\browser.exe\" \"%1\"", 42, true, {kUrl}, {}, false},
               {L"browser.exe %1", 2, true, {kUrl}, {L"\"" + kExplorer + L"\" \"" + kUrl + L"\""}, false},
               {L"\"\"", 42, false, {}, {}, true},
               {nullptr, 42, true, {}, {}, false}};
  for (const auto& c : cases) {
    FakeMachine m;
    const std::wstring key = L"HTTP\\shell\\open\\command";
    if (c.handler) m.registry.CreateKey(Hive::ClassesRoot, key);
    if (c.handler) m.registry.SetValue(Hive::ClassesRoot, key, L"", StringValue(c.handler));
    if (c.browser) m.files.PutFile(kExplorer, "exe");
    m.shell.openResult = c.shellAnswer;
    OpenURL(kUrl);
    EXPECT_EQ(m.shell.opened, c.opened);
    EXPECT_EQ(m.shell.started, c.started);
    ASSERT_EQ(m.dialogs.shown.size(), c.told ? 1u : 0u);
    if (c.told) {
      EXPECT_EQ(m.dialogs.shown[0].text, L"ERROR! Can't find browser to open the following URL:\r\n" + kUrl);
      EXPECT_EQ(m.dialogs.shown[0].style, mb::Exclamation);
    }
  }
}

TEST(Shortcuts, LinkFieldsAndUrlFileLines) {
  FakeMachine m;
  m.files.MakeFolders(L"C:\\Links");
  MakeShortcut(L"C:\\Links\\a.lnk", L"C:\\a.exe", L"Desc", L"C:\\", L"updates", L"");
  const ShortcutFile& s = m.shell.shortcuts.at(L"C:\\Links\\a.lnk");
  EXPECT_TRUE(s.target == L"C:\\a.exe" && s.description == L"Desc" && s.workingFolder == L"C:\\" &&
              s.arguments == L"updates" && s.iconLocation.empty());
  WriteUrlShortcut(L"C:\\Links\\site.url", L"http://127.0.0.1/", L"0", L"C:\\a.exe");
  EXPECT_EQ(m.files.Contents(L"C:\\Links\\site.url"),
            "[InternetShortcut]\r\nURL=http://127.0.0.1/\r\nIconIndex=0\r\nIconFile=C:\\a.exe\r\n");
  WriteUrlShortcut(L"C:\\Nowhere\\x.url", L"u", L"0", L"i");
  EXPECT_FALSE(m.files.FileExists(L"C:\\Nowhere\\x.url"));
}

}  // namespace
}  // namespace vantrel::test
