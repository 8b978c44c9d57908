// The verbs "install" and "uninstall" as the installer and the list of
// installed programs start them. The service journey proves the shortcuts'
// targets, the web link, the install date, the entry and the scripts' lines
// under Wine; these tests keep what it cannot reach.
#include <gtest/gtest.h>

#include <filesystem>

#include "services/RegistryHelpers.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kDesktop = L"C:\\Users\\Public\\Desktop";
const std::wstring kMenu = L"C:\\ProgramData\\Start Menu\\Programs\\Vantrel 3";
const std::wstring kTemp = L"C:\\Users\\test\\Temp", kBatch = kTemp + L"\\Uninstall.bat",
                   kReg = kTemp + L"\\uninstall.reg";
const std::wstring kDocuments = L"C:\\Users\\test\\Documents";

bool Has(std::wstring_view text, std::wstring_view part) { return text.find(part) != text.npos; }
bool Has(std::string_view text, std::string_view part) { return text.find(part) != text.npos; }

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
    EXPECT_FALSE(Start(verb)) << verb;
  }
};

// Whatever stands in the menu folder's place or in it: a link goes as a
// link and its target stays, the old shortcuts go (also those named in
// another language), what resists stays and the next step runs, folders are
// left. Names from a broken language file stay in the menu folder.
TEST(Install, AgainOverWhateverIsThere) {
  Installed m;
  m.files.PutFile(kDocuments + L"\\letter.lnk", "mine");
  m.files.PutFile(kDocuments + L"\\notes.txt", "mine too");
  m.files.PutLink(kMenu, kDocuments);
  m.Verb(L"install");
  EXPECT_EQ(m.files.Contents(kDocuments + L"\\letter.lnk"), "mine");
  m.PutLanguage(L"Broken", "[SHORTCUTS]\r\nTOSITE=..\\..\\..\\Site?\r\nCHECK-UPD=Up/dates: \"now\"\r\n");
  m.Store(L"Settings", L"Language", L"Broken");
  m.files.PutFile(kMenu + L"\\In use.lnk", "shortcut", true);
  m.files.MakeFolders(kMenu + L"\\Kept folder");
  m.files.RemoveFile(kMenu + L"\\Vantrel 3.lnk");
  m.files.PutLink(kMenu + L"\\Vantrel 3.lnk", kDocuments + L"\\notes.txt", false);
  m.files.RemoveFile(kDesktop + L"\\Vantrel 3.lnk");
  m.files.RemoveFolder(kDesktop);  // no common desktop to write to
  m.Verb(L"install");
  auto menu = m.files.ListFiles(kMenu);
  std::sort(menu.begin(), menu.end());
  EXPECT_EQ(menu, (std::vector<std::wstring>{L"......Site.url", L"In use.lnk", L"Updates now.lnk", L"Vantrel 3.lnk"}));
  EXPECT_FALSE(m.files.IsLink(kMenu + L"\\Vantrel 3.lnk"));
  EXPECT_EQ(m.files.Contents(kDocuments + L"\\notes.txt"), "mine too");
  EXPECT_TRUE(m.files.FolderExists(kMenu + L"\\Kept folder"));
  EXPECT_EQ(RegistryRead(
                L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel 3\\DisplayName"),
            L"Vantrel 3.07");
  EXPECT_TRUE(m.dialogs.shown.empty());
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
    if (fault == NoRights) m.system.elevated = false;
    if (fault == BatchCutShort) m.files.faults.Fail(fake::FsOp::Write, writes, FsFailure::DiskFull);
    if (fault == RegistryScriptNotClosed) m.files.faults.Fail(fake::FsOp::Close, closes - 1, FsFailure::Refused);
    if (fault == NoRegistryEditor) m.shell.startResult = false;
    m.Verb(L"uninstall", {fault == Declined ? mb::No : mb::Yes, mb::Yes, mb::Ok});
    if (fault == None) {
      writes = static_cast<int>(m.files.faults.Calls(fake::FsOp::Write));  // the machine counts from its start
      closes = static_cast<int>(m.files.faults.Calls(fake::FsOp::Close));
      EXPECT_TRUE(m.shell.started.size() == 2 && m.files.FileExists(kBatch));
    } else {
      EXPECT_TRUE((m.shell.started.empty() || fault == NoRegistryEditor) && m.shell.opened.empty() &&
                  !m.files.FileExists(kBatch));
      EXPECT_TRUE(fault == Declined ||
                  Has(m.Boxes().back(), fault == NoRights ? L"needs administrator rights" : L"could not be removed"));
    }
    EXPECT_FALSE(m.files.FileExists(kReg));
  }
}

// The batch follows the program to wherever the installer put it (the
// entry too: the service journey shows it); it takes the folder whole only when it holds nothing but what
// ships, so a folder chosen among the user's own files keeps them. The
// settings go only when the answer says so, from both scripts. The batch is
// read in the OEM code page, where "é" is 0x82, and the command interpreter
// expands "%" inside quotes too: a doubled one is read back as the folder's
// own name.
TEST(Uninstall, TakesTheProgramsFolderOnlyWhenItIsItsOwnAndTheSettingsOnlyWhenAsked) {
  enum Beside { Nothing, TheirFile, ALink, Unlisted };
  const std::tuple<std::wstring, Beside, bool, bool> cases[] = {
      {kAppFolder, Nothing, true, true}, {L"D:\\Apps", Nothing, false, true}, {L"D:\\Apps", TheirFile, true, false},
      {L"D:", Nothing, false, false},    {kAppFolder, ALink, true, false},    {kAppFolder, Unlisted, true, false}};
  for (const auto& [at, beside, keepSettings, whole] : cases) {
    const std::string folder(at.begin(), at.end());
    SCOPED_TRACE(folder + " " + std::to_string(beside));
    Installed m(at);
    const std::wstring roaming = L"C:\\Users\\100%Jos\u00e9\\AppData\\Roaming";
    m.files.MakeFolders(roaming);
    m.shell.folders[csidl::AppData] = roaming;
    if (beside == TheirFile) m.files.PutFile(at + L"\\Tool\\tool.exe", "theirs");
    if (beside == ALink) m.files.PutLink(at + L"\\Documents", kDocuments);
    m.Verb(L"install");
    if (beside == Unlisted) m.files.faults.FailFrom(fake::FsOp::List, 1, FsFailure::Refused);
    m.files.faults.FailFrom(fake::FsOp::RemoveFile, 1, FsFailure::Refused);  // keeps the registry script to read
    m.Verb(L"uninstall", {mb::Yes, keepSettings ? mb::Yes : mb::No, mb::Ok});
    const std::string batch = m.files.Contents(kBatch);
    EXPECT_TRUE(Has(batch, "Del \"" + folder + "\\Vantrel.exe\"\r\n")) << batch;
    EXPECT_EQ(Has(batch, "rmdir /S /Q \"" + folder + "\"\r\n"), whole) << batch;
    EXPECT_EQ(Has(batch, "Goto W\r\nrmdir /S /Q \"C:\\Users\\100%%Jos\x82\\AppData\\Roaming\\VNL\"\r\nDel "),
              !keepSettings);
    EXPECT_EQ(Has(m.files.Contents(kReg), "[-HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\VNL]\r\n[-"),
              !keepSettings);
  }
}

}  // namespace
}  // namespace vantrel::test
