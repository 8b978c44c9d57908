#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/UninstallScripts.h"
#include "services/RegistryHelpers.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kDesktop = L"C:\\Users\\Public\\Desktop";
const std::wstring kMenu = L"C:\\ProgramData\\Start Menu\\Programs\\Vantrel 3";
const std::wstring kEntry = L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel 3";
const std::wstring kTemp = L"C:\\Users\\test\\Temp";
const std::wstring kExe = kAppFolder + L"\\Vantrel.exe";

struct Install : ::testing::Test {
  StartMachine m;
  Install() {
    m.files.MakeFolders(kDesktop);
    m.files.MakeFolders(L"C:\\ProgramData\\Start Menu\\Programs");
    m.files.PutFile(kExe, "exe");
    // A browser, so that pages open.
    const std::wstring handler = L"HTTP\\shell\\open\\command";
    m.registry.CreateKey(Hive::ClassesRoot, handler);
    m.registry.SetValue(Hive::ClassesRoot, handler, L"", StringValue(L"browser.exe %1"));
  }
  // The verbs end the process: the main window never shows.
  void Verb(const wchar_t* verb) { ASSERT_FALSE(m.Start(verb)) << verb; }
  std::vector<std::wstring> Menu() { return m.files.ListFiles(kMenu); }
  std::wstring Opened(std::size_t i) { return i < m.shell.opened.size() ? m.shell.opened[i] : L"(nothing opened)"; }
  std::string Batch() { return m.files.Contents(kTemp + L"\\Uninstall.bat"); }
};

bool Has(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }
bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(Install, MakesTheShortcutsTheWebLinkTheDateAndTheEntry) {
  Verb(L"install");
  EXPECT_TRUE(Has(Opened(0), L"?scn=VNL&to=install&version=3.07&")) << Opened(0);
  for (const std::wstring& link : {kDesktop + L"\\Vantrel 3.lnk", kMenu + L"\\Vantrel 3.lnk"}) {
    ASSERT_TRUE(m.shell.shortcuts.count(link)) << link;
    const ShortcutFile& s = m.shell.shortcuts.at(link);
    EXPECT_EQ(s.target, kExe);
    EXPECT_EQ(s.workingFolder, kAppFolder);
    EXPECT_EQ(s.arguments, L"");
    EXPECT_EQ(s.description, L"");
    EXPECT_EQ(s.iconLocation, L"");
  }
  const ShortcutFile& update = m.shell.shortcuts.at(kMenu + L"\\Check for updates.lnk");
  EXPECT_EQ(update.target, kExe);
  EXPECT_EQ(update.arguments, L"updates");
  const std::string url = m.files.Contents(kMenu + L"\\Vantrel website.url");
  EXPECT_EQ(url.rfind("[InternetShortcut]\r\nURL=http://", 0), 0u) << url;
  EXPECT_NE(url.find("?scn=VNL&to=site&version=3.07&"), std::string::npos) << url;
  EXPECT_NE(url.find("\r\nIconIndex=\r\nIconFile=\r\n"), std::string::npos) << url;
  EXPECT_EQ(m.shell.opened.size(), 1u) << "the web link's page is only built, not opened";

  EXPECT_EQ(ReadSetting(kInstallSettings, L"VNL", L"Reload-Month"), L"12");
  EXPECT_EQ(ReadSetting(kInstallSettings, L"VNL", L"Reload-Year"), L"2026");
  // The fake has no short names, so the path keeps its blanks and is quoted.
  EXPECT_EQ(RegistryRead(kEntry + L"\\UninstallString"), L"\"" + kExe + L"\" uninstall");
  EXPECT_EQ(RegistryRead(kEntry + L"\\DisplayName"), L"Vantrel 3.07");
  EXPECT_TRUE(m.dialogs.shown.empty());
}

TEST_F(Install, NamesCarryTheMajorVersionAndTheEntryTheWholeVersion) {
  m.system.version = {4, 12};
  Verb(L"install");
  const std::wstring key = L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel 4";
  EXPECT_EQ(RegistryRead(key + L"\\DisplayName"), L"Vantrel 4.12");
  EXPECT_TRUE(m.shell.shortcuts.count(kDesktop + L"\\Vantrel 4.lnk"));
  EXPECT_TRUE(m.shell.shortcuts.count(L"C:\\ProgramData\\Start Menu\\Programs\\Vantrel 4\\Vantrel 4.lnk"));
  // The command names the program that ran "install", not a folder named
  // after the version (where no file is, and no short name either).
  EXPECT_EQ(RegistryRead(key + L"\\UninstallString"), L"\"" + kExe + L"\" uninstall");
}

TEST_F(Install, AgainLeavesOneSetOfShortcutsAndReportsAReinstallation) {
  m.files.PutFile(kMenu + L"\\Old name of the update link.lnk", "shortcut");
  m.files.MakeFolders(kMenu + L"\\Kept folder");
  Verb(L"install");
  Verb(L"install");
  std::vector<std::wstring> menu = Menu();
  std::sort(menu.begin(), menu.end());
  EXPECT_EQ(menu, (std::vector<std::wstring>{L"Check for updates.lnk", L"Vantrel 3.lnk", L"Vantrel website.url"}));
  EXPECT_TRUE(m.files.FolderExists(kMenu + L"\\Kept folder")) << "only files are listed and deleted";
  ASSERT_EQ(m.shell.opened.size(), 2u);
  EXPECT_TRUE(Has(Opened(0), L"&to=install&"));
  EXPECT_TRUE(Has(Opened(1), L"&to=reinstall&")) << Opened(1);
}

TEST_F(Install, LinksInTheMenuFolderGoAsLinksAndTheirTargetsStay) {
  const std::wstring documents = L"C:\\Users\\test\\Documents";
  m.files.PutFile(documents + L"\\letter.lnk", "mine");
  m.files.PutFile(documents + L"\\notes.txt", "mine too");
  m.files.PutLink(kMenu, documents);
  Verb(L"install");
  EXPECT_FALSE(m.files.IsLink(kMenu));
  EXPECT_EQ(Menu().size(), 3u);
  EXPECT_EQ(m.files.Contents(documents + L"\\letter.lnk"), "mine");

  m.files.PutLink(kMenu + L"\\Vantrel 3.lnk", documents + L"\\notes.txt", false);
  Verb(L"install");
  EXPECT_EQ(m.files.Contents(documents + L"\\notes.txt"), "mine too");
  EXPECT_FALSE(m.files.IsLink(kMenu + L"\\Vantrel 3.lnk"));
  EXPECT_EQ(Menu().size(), 3u);
}

TEST_F(Install, AFailingStepIsSkippedAndTheNextRuns) {
  m.files.PutFile(kMenu + L"\\In use.lnk", "shortcut");
  // No rights on the common desktop, and an old shortcut that will not go.
  m.files.refuse = [](fake::FsOp op, const std::wstring& path) {
    return path == kDesktop + L"\\Vantrel 3.lnk" || (op == fake::FsOp::RemoveFile && path.ends_with(L"In use.lnk"));
  };
  Verb(L"install");
  EXPECT_FALSE(m.files.FileExists(kDesktop + L"\\Vantrel 3.lnk"));
  EXPECT_EQ(Menu().size(), 4u);
  EXPECT_EQ(RegistryRead(kEntry + L"\\DisplayName"), L"Vantrel 3.07");
  EXPECT_TRUE(m.dialogs.shown.empty());
}

TEST_F(Install, ShortcutNamesFromABrokenLanguageFileStayInTheMenuFolder) {
  m.PutLanguage(L"Broken", "[SHORTCUTS]\r\nTOSITE=..\\..\\..\\Site?\r\nCHECK-UPD=Up/dates: \"now\"\r\n");
  m.Store(L"Settings", L"Language", L"Broken");
  Verb(L"install");
  std::vector<std::wstring> menu = Menu();
  std::sort(menu.begin(), menu.end());
  EXPECT_EQ(menu, (std::vector<std::wstring>{L"......Site.url", L"Updates now.lnk", L"Vantrel 3.lnk"}));
}

struct Uninstall : Install {
  std::string regAtRemoval;
  Uninstall() {
    m.files.refuse = [this](fake::FsOp op, const std::wstring& path) {
      if (op == fake::FsOp::RemoveFile && path == kTemp + L"\\uninstall.reg") regAtRemoval = m.files.Contents(path);
      return false;
    };
  }
};

TEST_F(Uninstall, DeclinedAtTheFirstQuestionChangesNothing) {
  Verb(L"install");
  const std::size_t entries = m.files.EntryCount();
  m.dialogs.answers = {mb::No};
  Verb(L"uninstall");
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].text, L"Do you really want to remove this program from your computer?\r\n\r\nVantrel");
  EXPECT_EQ(m.dialogs.shown[0].style, mb::YesNo | mb::Exclamation);
  EXPECT_EQ(m.files.EntryCount(), entries);
  EXPECT_FALSE(m.files.FileExists(kTemp + L"\\Uninstall.bat"));
  EXPECT_TRUE(m.shell.started.empty());
  EXPECT_EQ(m.shell.opened.size(), 1u);
}

TEST_F(Uninstall, KeepingTheSettingsWritesTheScriptsWithoutTheirLines) {
  m.dialogs.answers = {mb::Yes, mb::Yes, mb::Ok};
  Verb(L"uninstall");
  // At most 30 tries a second apart, then straight to the self-deletion.
  EXPECT_EQ(Batch(),
            "@Echo off\r\nSet tries=0\r\nGoto S\r\n:W\r\nSet /A tries+=1\r\nIf %tries% GEQ 30 Goto E\r\n"
            "ping -n 2 127.0.0.1 >nul\r\n:S\r\ntaskkill /F /IM vantrel.exe\r\n"
            "Del \"C:\\Program Files\\Vantrel 3\\Vantrel.exe\"\r\n"
            "If Exist \"C:\\Program Files\\Vantrel 3\\Vantrel.exe\" Goto W\r\n"
            "Del \"C:\\Users\\Public\\Desktop\\Vantrel 3.lnk\"\r\n"
            "rmdir /S /Q \"C:\\ProgramData\\Start Menu\\Programs\\Vantrel 3\"\r\n"
            "rmdir /S /Q \"C:\\Program Files\\Vantrel 3\"\r\n"
            ":E\r\nDel \"C:\\Users\\test\\Temp\\Uninstall.bat\"\r\n");
  EXPECT_EQ(regAtRemoval,
            "REGEDIT4\r\n[-HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel "
            "3]\r\n");
  EXPECT_FALSE(m.files.FileExists(kTemp + L"\\uninstall.reg"));
  ASSERT_EQ(m.dialogs.shown.size(), 3u);
  EXPECT_EQ(m.dialogs.shown[1].style, mb::YesNo | mb::Information);
  EXPECT_EQ(m.dialogs.shown[2].text, L"Vantrel has been removed from your computer.");
  EXPECT_EQ(m.dialogs.shown[2].style, mb::OkOnly | mb::Information);
  EXPECT_TRUE(Has(Opened(0), L"&to=uninstall&")) << Opened(0);
  EXPECT_EQ(m.shell.started,
            (std::vector<std::wstring>{L"\"C:\\Windows\\regedit.exe\" /S \"" + kTemp + L"\\uninstall.reg\"",
                                       L"\"" + kTemp + L"\\Uninstall.bat\""}));
}

// The batch is read by the command interpreter, in the OEM code page: there
// "é" is 0x82 (850), where the ANSI code page has 0xE9.
TEST_F(Uninstall, RemovingTheSettingsAddsTheirLinesToBothScripts) {
  m.files.MakeFolders(L"C:\\Users\\Jos\u00e9\\AppData\\Roaming");
  m.shell.folders[csidl::AppData] = L"C:\\Users\\Jos\u00e9\\AppData\\Roaming";
  m.dialogs.answers = {mb::Yes, mb::No, mb::Ok};
  Verb(L"uninstall");
  const std::string batch = Batch();
  const std::string settings = "rmdir /S /Q \"C:\\Users\\Jos\x82\\AppData\\Roaming\\VNL\"\r\n";
  EXPECT_NE(batch.find("Goto W\r\n" + settings + "Del \"C:\\Users\\Public\\Desktop"), std::string::npos) << batch;
  EXPECT_EQ(regAtRemoval,
            "REGEDIT4\r\n[-HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\VNL]\r\n"
            "[-HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel 3]\r\n");
}

// "REMOVED" only for a removal that will be done: without rights, or with a
// script cut short (a full disk) or a registry editor that would not start,
// nothing runs, no script is left, and the message says so.
TEST_F(Uninstall, ThatCannotBeDoneRunsNothingAndSaysSo) {
  const std::wstring bat = kTemp + L"\\Uninstall.bat", reg = kTemp + L"\\uninstall.reg";
  struct Case {
    const char* name;
    std::function<void(StartMachine&)> fault;
    std::size_t questions;  // asked before the message
    std::wstring says;
  };
  const std::vector<Case> cases = {
      {"without rights", [](StartMachine& m) { m.system.elevated = false; }, 0, L"needs administrator rights"},
      {"batch cut short",
       [&](StartMachine& m) {
         m.files.refuse = [&, n = 0](fake::FsOp op, const std::wstring& path) mutable {
           return op == fake::FsOp::Append && path == bat && ++n == 2;
         };
       },
       2, L"could not be removed"},
      {"registry script not closed",
       [&](StartMachine& m) {
         m.files.refuse = [&](fake::FsOp op, const std::wstring& path) {
           return op == fake::FsOp::Close && path == reg;
         };
       },
       2, L"could not be removed"},
      {"registry editor not started", [](StartMachine& m) { m.shell.startResult = false; }, 2, L"could not be removed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartMachine machine;
    machine.files.PutFile(kExe, "exe");
    c.fault(machine);
    machine.dialogs.answers = {mb::Yes, mb::Yes, mb::Ok};
    ASSERT_FALSE(machine.Start(L"uninstall"));
    ASSERT_EQ(machine.dialogs.shown.size(), c.questions + 1);
    EXPECT_TRUE(Has(machine.dialogs.shown.back().text, c.says)) << machine.dialogs.shown.back().text;
    EXPECT_EQ(machine.dialogs.shown.back().style, mb::OkOnly | mb::Exclamation);
    EXPECT_FALSE(machine.files.FileExists(bat));
    EXPECT_FALSE(machine.files.FileExists(reg));
    for (const std::wstring& started : machine.shell.started) EXPECT_FALSE(Has(started, L"Uninstall.bat"));
    EXPECT_TRUE(machine.shell.opened.empty()) << "no page for an uninstallation";
    if (c.questions == 0) {
      EXPECT_TRUE(machine.shell.started.empty());
    }
  }
}

// The entry and the batch follow the program to wherever the installer put
// it; the batch takes the folder whole only when it holds nothing but what
// ships, so a folder chosen among the user's own files keeps them.
TEST_F(Uninstall, FollowsTheProgramsFolderAndTakesItWholeOnlyWhenItIsItsOwn) {
  struct Case {
    std::wstring folder;
    std::wstring beside;  // a file of somebody else's, or none
    bool whole;
    bool unlisted = false;  // the folder cannot be listed
  };
  const std::vector<Case> cases = {
      {kAppFolder, L"", true},
      {L"D:\\Other Apps\\Vantrel", L"", true},
      {L"D:\\Other Apps", L"D:\\Other Apps\\Tool\\tool.exe", false},
      {L"D:\\Users\\test\\Desktop", L"D:\\Users\\test\\Desktop\\letter.txt", false},
      {L"D:", L"", false},
      {kAppFolder, L"", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    StartMachine machine;
    machine.files.AddDrive(L'D');
    machine.files.MakeFolders(kDesktop);
    machine.files.MakeFolders(L"C:\\ProgramData\\Start Menu\\Programs");
    // The folder as the release ships it.
    const std::filesystem::path dist = std::filesystem::path(VANTREL_SOURCE_DIR) / "dist";
    for (const auto& entry : std::filesystem::directory_iterator(dist)) {
      const std::wstring name = c.folder + L"\\" + entry.path().filename().wstring();
      if (entry.is_directory())
        machine.files.MakeFolders(name);
      else
        machine.files.PutFile(name, "data");
    }
    machine.files.PutFile(c.folder + L"\\Languages\\English.ini", ShippedFile("dist/Languages/English.ini"));
    machine.files.PutFile(c.folder + L"\\Vantrel.exe", "exe");
    if (!c.beside.empty()) machine.files.PutFile(c.beside, "theirs");
    machine.system.applicationFolder = c.folder;
    ASSERT_FALSE(machine.Start(L"install"));
    EXPECT_EQ(RegistryRead(kEntry + L"\\UninstallString"), L"\"" + c.folder + L"\\Vantrel.exe\" uninstall");
    if (c.unlisted) {
      machine.files.refuse = [&](fake::FsOp op, const std::wstring& path) {
        return op == fake::FsOp::List && path == c.folder;
      };
    }
    machine.dialogs.answers = {mb::Yes, mb::Yes, mb::Ok};
    ASSERT_FALSE(machine.Start(L"uninstall"));
    const std::string batch = machine.files.Contents(kTemp + L"\\Uninstall.bat");
    std::string folder(c.folder.begin(), c.folder.end());
    EXPECT_TRUE(Has(batch, "Del \"" + folder + "\\Vantrel.exe\"\r\n")) << batch;
    EXPECT_EQ(Has(batch, "rmdir /S /Q \"" + folder + "\"\r\n"), c.whole) << batch;
    EXPECT_EQ(machine.dialogs.shown.back().text, L"Vantrel has been removed from your computer.");
  }
}

// The command interpreter expands "%" inside quotes too: a doubled one is
// read back as the folder's own name, not as a variable.
TEST(UninstallScripts, PercentSignsAreDoubledForTheBatchOnly) {
  StartMachine m;
  Installation at;
  at.exeName = L"VanTrel";
  at.appFolder = L"C:\\100%Pure";
  at.exe = L"C:\\100%Pure\\VanTrel.exe";
  at.desktopLink = L"C:\\D%USERNAME%\\Vantrel 3.lnk";
  at.menuFolder = L"C:\\M & ^M\\Vantrel 3";
  at.entryKey = L"HKEY_LOCAL_MACHINE\\X\\Vantrel 3";
  const UninstallScripts s = BuildUninstallScripts(at, L"C:\\50%off\\VNL", L"C:\\T%", true);
  EXPECT_EQ(s.batchLoop[5], L"If %tries% GEQ 30 Goto E") << "the batch's own variable stays one";
  EXPECT_EQ(s.batchLoop[8], L"taskkill /F /IM vantrel.exe");
  EXPECT_EQ(s.batchLoop[9], L"Del \"C:\\100%%Pure\\VanTrel.exe\"");
  EXPECT_EQ(s.batchLoop[10], L"If Exist \"C:\\100%%Pure\\VanTrel.exe\" Goto W");
  EXPECT_EQ(s.batchSettings, L"rmdir /S /Q \"C:\\50%%off\\VNL\"");
  EXPECT_EQ(s.batchTraces, (std::vector<std::wstring>{
                               L"Del \"C:\\D%%USERNAME%%\\Vantrel 3.lnk\"", L"rmdir /S /Q \"C:\\M & ^M\\Vantrel 3\"",
                               L"rmdir /S /Q \"C:\\100%%Pure\"", L":E", L"Del \"C:\\T%%\\Uninstall.bat\""}));
  EXPECT_EQ(s.regEntry, L"[-HKEY_LOCAL_MACHINE\\X\\Vantrel 3]");
  EXPECT_EQ(ScriptBytes({L"a", L"\u00e9"}, 1252), "a\r\n\xe9\r\n");
}

}  // namespace
}  // namespace vantrel::test
