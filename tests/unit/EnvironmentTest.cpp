#include <gtest/gtest.h>

#include <set>

#include "services/Environment.h"
#include "services/IniHelpers.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kIdFile = L"C:\\ProgramData\\brisen2.2.ini";

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

TEST(Environment, VersionText) {
  EXPECT_EQ(FormatProgramVersion(2, 5), L"2.05");
  EXPECT_EQ(FormatProgramVersion(2, 10), L"2.10");
  EXPECT_EQ(FormatProgramVersion(2, 0), L"2.00");
  EXPECT_EQ(FormatProgramVersion(3, 7), L"3.07");
}

TEST(Environment, WindowsSevenIsToldByItsProductName) {
  FakeMachine m;
  const std::wstring key = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  m.registry.CreateKey(Hive::LocalMachine, key);
  m.system.majorVersion = 6;
  m.registry.SetValue(Hive::LocalMachine, key, L"ProductName", StringValue(L"Windows Vista Business"));
  EXPECT_EQ(DetectWindowsVersion(), 6u);
  m.registry.SetValue(Hive::LocalMachine, key, L"ProductName", StringValue(L"Windows 7 Ultimate"));
  EXPECT_EQ(DetectWindowsVersion(), 7u);
}

// Rights come from the system's answer; finding them out writes nothing,
// neither under the machine hive nor in the root of drive C.
TEST(Environment, AdminRightsAreTheSystemsAnswerAndWriteNothing) {
  for (bool elevated : {true, false}) {
    FakeMachine m;
    m.files.MakeFolders(L"C:\\Users\\test\\AppData\\Roaming");
    m.system.elevated = elevated;
    std::vector<std::wstring> written;
    m.files.refuse = [&](fake::FsOp op, const std::wstring& path) {
      if (op == fake::FsOp::Write || op == fake::FsOp::Create || op == fake::FsOp::CreateFolder)
        written.push_back(path);
      return false;
    };
    m.registry.refuseWrite = [&](Hive, const std::wstring& key) {
      written.push_back(key);
      return false;
    };
    InitEnvironment();
    EXPECT_EQ(Env().IsAdmin, elevated);
    // What start-up makes on purpose: special folders, the data folder, the
    // shared INI file.
    std::set<std::wstring> made = {Env().DataFolder, ModuleIniFile()};
    for (const auto& [csidl, folder] : m.shell.folders) made.insert(folder);
    for (const std::wstring& path : written) EXPECT_TRUE(made.count(path)) << Narrow(path);
  }
}

TEST(Environment, InstallIdHasNineDigitsAndIsKeptOnceStored) {
  FakeMachine m;
  // 0.05 gives eight digits and is drawn again; 0.5 gives nine.
  m.clock.scriptedRandom = {0.05, 0.5};
  EXPECT_EQ(ReadOrMakeInstallId(kIdFile), L"499999999");
  m.clock.scriptedRandom = {0.7};
  EXPECT_EQ(ReadOrMakeInstallId(kIdFile), L"499999999");
  m.files.RemoveFile(kIdFile);
  m.clock.scriptedRandom = {0.25};
  EXPECT_EQ(ReadOrMakeInstallId(kIdFile), L"249999999");
  // Every user can write the file: one beyond the bound is not read, and is
  // left as it is rather than given an identifier; one at the bound is read.
  const auto sized = [](const std::string& head, std::size_t size) {
    return head + std::string(size - head.size(), ';');
  };
  const std::string stored = "[BRISEN2.2]\r\nPCID=123456789\r\n", none = "[BRISEN2.2]\r\n";
  const std::pair<std::string, std::wstring> files[] = {{sized(stored, kModuleIniMostBytes + 1), L""},
                                                        {sized(none, kModuleIniMostBytes + 1), L""},
                                                        {sized(stored, kModuleIniMostBytes), L"123456789"}};
  for (const auto& [bytes, id] : files) {
    m.files.PutFile(kIdFile, bytes);
    EXPECT_EQ(ReadOrMakeInstallId(kIdFile), id);
    EXPECT_EQ(m.files.Contents(kIdFile), bytes);
  }
  // A file that cannot be written: empty, start-up goes on.
  m.files.RemoveFile(kIdFile);
  m.files.refuse = [](fake::FsOp op, const std::wstring&) { return op == fake::FsOp::Write; };
  EXPECT_EQ(ReadOrMakeInstallId(kIdFile), L"");
}

TEST(Environment, StartUpResolvesEveryFactAndMakesTheDataFolder) {
  FakeMachine m;
  m.files.MakeFolders(L"C:\\Users\\test\\AppData\\Roaming");
  InitEnvironment();
  const EnvironmentFacts& e = Env();
  EXPECT_EQ(e.SystemDrive, L"C");
  EXPECT_EQ(e.DataFolder, L"C:\\Users\\test\\AppData\\Roaming\\VNL");
  EXPECT_TRUE(m.files.FolderExists(e.DataFolder));
  EXPECT_EQ(e.FolderProgramFiles, L"C:\\Program Files");
  EXPECT_EQ(e.FolderCommonDesktop, L"C:\\Users\\Public\\Desktop");
  EXPECT_EQ(e.TempFolder, L"C:\\Users\\test\\Temp");
  EXPECT_EQ(e.ProgramVersion, L"3.07");
  EXPECT_EQ(e.InstallId.size(), 9u);
  EXPECT_TRUE(e.IsAdmin);
  EXPECT_EQ(e.WindowsVersion, 10u);
}

TEST(Environment, StartUpGoesOnWhenFoldersAndFilesFail) {
  FakeMachine m;
  m.shell.folders.clear();  // every folder number is refused
  m.files.refuse = [](fake::FsOp, const std::wstring&) { return true; };
  InitEnvironment();
  const EnvironmentFacts& e = Env();
  EXPECT_EQ(e.SystemDrive, L"*");
  EXPECT_EQ(e.InstallId, L"");
  EXPECT_EQ(e.ProgramVersion, L"3.07");
}

}  // namespace
}  // namespace vantrel::test
