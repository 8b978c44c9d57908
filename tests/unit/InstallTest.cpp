// The verbs "install" and "uninstall" as the installer and the list of
// installed programs start them.
#include <gtest/gtest.h>

#include <filesystem>

#include "services/RegistryHelpers.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kDesktop = L"C:\\Users\\Public\\Desktop";
const std::wstring kMenu = L"C:\\ProgramData\\Start Menu\\Programs\\Vantrel 3";
const std::wstring kEntry = L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel 3";
const std::wstring kTemp = L"C:\\Users\\test\\Temp", kBatch = kTemp + L"\\Uninstall.bat",
                   kReg = kTemp + L"\\uninstall.reg";
const std::wstring kExe = kAppFolder + L"\\Vantrel.exe";
const std::wstring kDocuments = L"C:\\Users\\test\\Documents";

bool Has(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// The program as the installer leaves it, in `folder`, on a machine with a browser.
struct Installed : StartMachine {
  explicit Installed(const std::wstring& folder = kAppFolder) {
    files.AddDrive(L'D');
    files.MakeFolders(kDesktop);
    files.MakeFolders(L"C:\\ProgramData\\Start Menu\\Programs");
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VANTREL_SOURCE_DIR) / "dist")) {
      const std::wstring name = folder + L"\\" + entry.path().filename().wstring();
      entry.is_directory() ? files.MakeFolders(name) : files.PutFile(name, "data");
    }
    files.PutFile(folder + L"\\Languages\\English.ini", ShippedFile("dist/Languages/English.ini"));
    files.PutFile(folder + L"\\Vantrel.exe", "exe");
    system.applicationFolder = folder;
    Browser();
  }
  // The verbs end the process: the main window never shows.
  void Verb(const wchar_t* verb, std::vector<int> answers = {}) {
    dialogs.answers.assign(answers.begin(), answers.end());
    dialogs.shown.clear();
    EXPECT_FALSE(Start(verb)) << verb;
  }
  std::vector<std::wstring> Menu() {
    auto names = files.ListFiles(kMenu);
    std::sort(names.begin(), names.end());
    return names;
  }
  std::wstring Told() { return dialogs.shown.empty() ? L"" : dialogs.shown.back().text; }
};

TEST(Install, MakesTheShortcutsTheWebLinkTheDateAndTheEntry) {
  Installed m;
  m.Verb(L"install");
  for (const std::wstring& link : {kDesktop + L"\\Vantrel 3.lnk", kMenu + L"\\Vantrel 3.lnk"}) {
    const ShortcutFile& s = m.shell.shortcuts.at(link);
    EXPECT_TRUE(s.target == kExe && s.workingFolder == kAppFolder && s.arguments.empty() && s.iconLocation.empty());
  }
  const ShortcutFile& update = m.shell.shortcuts.at(kMenu + L"\\Check for updates.lnk");
  EXPECT_TRUE(update.target == kExe && update.arguments == L"updates");
  const std::string url = m.files.Contents(kMenu + L"\\Vantrel website.url");
  EXPECT_EQ(url.rfind("[InternetShortcut]\r\nURL=http://", 0), 0u) << url;
  EXPECT_NE(url.find("?scn=VNL&to=site&version=3.07&"), std::string::npos) << url;
  ASSERT_EQ(m.shell.opened.size(), 1u);
  EXPECT_TRUE(Has(m.shell.opened[0], L"?scn=VNL&to=install&version=3.07&"));
  EXPECT_EQ(
      ReadSetting(kInstallSettings, L"VNL", L"Reload-Month") + ReadSetting(kInstallSettings, L"VNL", L"Reload-Year"),
      L"122026");
  // The command names the program that ran "install", quoted for its blanks.
  EXPECT_EQ(RegistryRead(kEntry + L"\\UninstallString"), L"\"" + kExe + L"\" uninstall");
  EXPECT_EQ(RegistryRead(kEntry + L"\\DisplayName"), L"Vantrel 3.07");
  EXPECT_TRUE(m.dialogs.shown.empty());

  Installed next;
  next.system.version = {4, 12};
  next.Verb(L"install");
  EXPECT_EQ(RegistryRead(kEntry.substr(0, kEntry.size() - 1) + L"4\\DisplayName"), L"Vantrel 4.12");
  EXPECT_TRUE(next.shell.shortcuts.count(L"C:\\ProgramData\\Start Menu\\Programs\\Vantrel 4\\Vantrel 4.lnk"));
}

// Whatever stands in the menu folder's place or in it: a link goes as a
// link and its target stays, old shortcuts go, what resists stays and the
// next step runs, folders are left; a second run is a reinstallation.
TEST(Install, AgainOverWhateverIsThere) {
  Installed m;
  m.files.PutFile(kDocuments + L"\\letter.lnk", "mine");
  m.files.PutFile(kDocuments + L"\\notes.txt", "mine too");
  m.files.PutLink(kMenu, kDocuments);
  m.Verb(L"install");
  EXPECT_FALSE(m.files.IsLink(kMenu));
  EXPECT_EQ(m.files.Contents(kDocuments + L"\\letter.lnk"), "mine");
  m.files.PutFile(kMenu + L"\\Old name of the update link.lnk", "shortcut");
  m.files.PutFile(kMenu + L"\\In use.lnk", "shortcut", true);
  m.files.MakeFolders(kMenu + L"\\Kept folder");
  m.files.RemoveFile(kMenu + L"\\Vantrel 3.lnk");
  m.files.PutLink(kMenu + L"\\Vantrel 3.lnk", kDocuments + L"\\notes.txt", false);
  m.files.RemoveFile(kDesktop + L"\\Vantrel 3.lnk");
  m.files.RemoveFolder(kDesktop);  // no common desktop to write to
  m.Verb(L"install");
  EXPECT_EQ(m.Menu(), (std::vector<std::wstring>{L"Check for updates.lnk", L"In use.lnk", L"Vantrel 3.lnk",
                                                 L"Vantrel website.url"}));
  EXPECT_FALSE(m.files.IsLink(kMenu + L"\\Vantrel 3.lnk"));
  EXPECT_EQ(m.files.Contents(kDocuments + L"\\notes.txt"), "mine too");
  EXPECT_TRUE(m.files.FolderExists(kMenu + L"\\Kept folder"));
  EXPECT_TRUE(Has(m.shell.opened.back(), L"&to=reinstall&"));
  EXPECT_EQ(RegistryRead(kEntry + L"\\DisplayName"), L"Vantrel 3.07");
  EXPECT_TRUE(m.dialogs.shown.empty());
}

TEST(Install, ShortcutNamesFromABrokenLanguageFileStayInTheMenuFolder) {
  Installed m;
  m.PutLanguage(L"Broken", "[SHORTCUTS]\r\nTOSITE=..\\..\\..\\Site?\r\nCHECK-UPD=Up/dates: \"now\"\r\n");
  m.Store(L"Settings", L"Language", L"Broken");
  m.Verb(L"install");
  EXPECT_EQ(m.Menu(), (std::vector<std::wstring>{L"......Site.url", L"Updates now.lnk", L"Vantrel 3.lnk"}));
}

// Both scripts as the answers make them; the batch tries 30 times a second
// apart, then deletes itself. It is read in the OEM code page, where "é" is
// 0x82, and the registry script in the ANSI one. The command interpreter
// expands "%" inside quotes too: a doubled one is read back as the folder's
// own name, not as a variable.
TEST(Uninstall, WritesTheScriptsTheAnswersAskForAndRunsThem) {
  for (bool keepSettings : {true, false}) {
    Installed m;
    m.files.MakeFolders(L"C:\\Users\\100%Jos\u00e9\\AppData\\Roaming");
    m.shell.folders[csidl::AppData] = L"C:\\Users\\100%Jos\u00e9\\AppData\\Roaming";
    m.files.faults.FailFrom(fake::FsOp::RemoveFile, 1, FsFailure::Refused);  // keeps the registry script to read
    m.Verb(L"uninstall", {mb::Yes, keepSettings ? mb::Yes : mb::No, mb::Ok});
    const std::string settings = keepSettings ? "" : "rmdir /S /Q \"C:\\Users\\100%%Jos\x82\\AppData\\Roaming\\VNL\"\r\n";
    const std::string tries =
        "@Echo off\r\nSet tries=0\r\nGoto S\r\n:W\r\nSet /A tries+=1\r\nIf %tries% GEQ 30 Goto E\r\n"
        "ping -n 2 127.0.0.1 >nul\r\n:S\r\ntaskkill /F /IM vantrel.exe\r\n"
        "Del \"C:\\Program Files\\Vantrel 3\\Vantrel.exe\"\r\n"
        "If Exist \"C:\\Program Files\\Vantrel 3\\Vantrel.exe\" Goto W\r\n";
    const std::string traces =
        "Del \"C:\\Users\\Public\\Desktop\\Vantrel 3.lnk\"\r\n"
        "rmdir /S /Q \"C:\\ProgramData\\Start Menu\\Programs\\Vantrel 3\"\r\n"
        "rmdir /S /Q \"C:\\Program Files\\Vantrel 3\"\r\n:E\r\nDel \"C:\\Users\\test\\Temp\\Uninstall.bat\"\r\n";
    EXPECT_EQ(m.files.Contents(kBatch), tries + settings + traces);
    EXPECT_EQ(m.files.Contents(kReg),
              std::string("REGEDIT4\r\n") +
                  (keepSettings ? "" : "[-HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\VNL]\r\n") +
                  "[-HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel 3]\r\n");
    EXPECT_EQ(m.dialogs.shown[0].text, L"Do you really want to remove this program from your computer?\r\n\r\nVantrel");
    EXPECT_EQ(m.Told(), L"Vantrel has been removed from your computer.");
    EXPECT_EQ(m.shell.started, (std::vector<std::wstring>{L"\"C:\\Windows\\regedit.exe\" /S \"" + kReg + L"\"",
                                                          L"\"" + kBatch + L"\""}));
    EXPECT_TRUE(Has(m.shell.opened.back(), L"&to=uninstall&"));
  }
}

// "Removed" only for a removal that will be done. Declined, without rights,
// with a script cut short (a full disk) or not closed, or a registry editor
// that would not start, nothing runs, no script is left, and it says so.
TEST(Uninstall, ThatCannotBeDoneRunsNothingAndSaysSo) {
  enum Fault { None, Declined, NoRights, BatchCutShort, RegistryScriptNotClosed, NoRegistryEditor };
  int writes = 0, closes = 0;  // of a whole uninstallation: the batch's last write and close come last
  for (Fault fault : {None, Declined, NoRights, BatchCutShort, RegistryScriptNotClosed, NoRegistryEditor}) {
    SCOPED_TRACE(fault);
    Installed m;
    const auto before = [&](fake::FsOp op) { return m.files.faults.Calls(op); };
    const uint64_t writesBefore = before(fake::FsOp::Write), closesBefore = before(fake::FsOp::Close);
    if (fault == NoRights) m.system.elevated = false;
    if (fault == BatchCutShort) m.files.faults.Fail(fake::FsOp::Write, writes, FsFailure::DiskFull);
    if (fault == RegistryScriptNotClosed) m.files.faults.Fail(fake::FsOp::Close, closes - 1, FsFailure::Refused);
    if (fault == NoRegistryEditor) m.shell.startResult = false;
    m.Verb(L"uninstall", {fault == Declined ? mb::No : mb::Yes, mb::Yes, mb::Ok});
    if (fault == None) {
      writes = static_cast<int>(before(fake::FsOp::Write) - writesBefore);
      closes = static_cast<int>(before(fake::FsOp::Close) - closesBefore);
      EXPECT_EQ(m.shell.started.size(), 2u);
      EXPECT_TRUE(m.files.FileExists(kBatch));
    } else {
      EXPECT_TRUE(m.shell.started.empty() || fault == NoRegistryEditor);
      EXPECT_FALSE(m.files.FileExists(kBatch));
      EXPECT_TRUE(m.shell.opened.empty());
      EXPECT_TRUE(fault == Declined ||
                  Has(m.Told(), fault == NoRights ? L"needs administrator rights" : L"could not be removed"))
          << std::string(m.Told().begin(), m.Told().end());
    }
    EXPECT_FALSE(m.files.FileExists(kReg));
  }
}

// The entry and the batch follow the program to wherever the installer put
// it; the batch takes the folder whole only when it holds nothing but what
// ships, so a folder chosen among the user's own files keeps them.
TEST(Uninstall, TakesTheProgramsFolderWholeOnlyWhenItIsItsOwn) {
  enum Beside { Nothing, TheirFile, ALink, Unlisted };
  const struct {
    std::wstring folder;
    Beside beside;
    bool whole;
  } cases[] = {{kAppFolder, Nothing, true},
               {L"D:\\Other Apps\\Vantrel", Nothing, true},
               {L"D:\\100%Pure", Nothing, true},
               {L"D:\\Other Apps", TheirFile, false},
               {L"D:", Nothing, false},
               {kAppFolder, ALink, false},
               {kAppFolder, Unlisted, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.folder.begin(), c.folder.end()) + " " + std::to_string(c.beside));
    Installed m(c.folder);
    if (c.beside == TheirFile) m.files.PutFile(c.folder + L"\\Tool\\tool.exe", "theirs");
    if (c.beside == ALink) m.files.PutLink(c.folder + L"\\Documents", kDocuments);
    m.Verb(L"install");
    EXPECT_EQ(RegistryRead(kEntry + L"\\UninstallString"), L"\"" + c.folder + L"\\Vantrel.exe\" uninstall");
    if (c.beside == Unlisted) m.files.faults.FailFrom(fake::FsOp::List, 1, FsFailure::Refused);
    m.Verb(L"uninstall", {mb::Yes, mb::Yes, mb::Ok});
    std::string batch = m.files.Contents(kBatch), folder;
    for (wchar_t ch : c.folder) folder += ch == L'%' ? "%%" : std::string(1, static_cast<char>(ch));
    EXPECT_NE(batch.find("Del \"" + folder + "\\Vantrel.exe\"\r\n"), std::string::npos) << batch;
    EXPECT_EQ(batch.find("rmdir /S /Q \"" + folder + "\"\r\n") != std::string::npos, c.whole) << batch;
  }
}

}  // namespace
}  // namespace vantrel::test
