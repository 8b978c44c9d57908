#include <gtest/gtest.h>

#include "services/Environment.h"
#include "services/IniHelpers.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kIdFile = L"C:\\ProgramData\\brisen2.2.ini";

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

TEST(Environment, AdminTestLeavesNothingBehind) {
  FakeMachine m;
  EXPECT_TRUE(DetectAdminRights(L"C"));
  EXPECT_EQ(m.registry.ValueCount(Hive::LocalMachine), 0u);
  EXPECT_FALSE(m.files.FileExists(L"C:\\testwrit"));

  // Without rights to the machine hive: false, nothing written anywhere.
  const std::size_t entries = m.files.EntryCount();
  m.registry.refuseWrite = [](Hive h, const std::wstring&) { return h == Hive::LocalMachine; };
  EXPECT_FALSE(DetectAdminRights(L"C"));
  EXPECT_EQ(m.registry.ValueCount(Hive::LocalMachine), 0u);
  EXPECT_EQ(m.files.EntryCount(), entries);

  // Registry writable but the drive root is not: false, and the value is gone.
  m.registry.refuseWrite = nullptr;
  m.files.refuse = [](fake::FsOp op, const std::wstring&) { return op == fake::FsOp::Write; };
  EXPECT_FALSE(DetectAdminRights(L"C"));
  EXPECT_EQ(m.registry.ValueCount(Hive::LocalMachine), 0u);
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
  EXPECT_FALSE(e.IsAdmin);
  EXPECT_EQ(e.InstallId, L"");
  EXPECT_EQ(e.ProgramVersion, L"3.07");
}

}  // namespace
}  // namespace vantrel::test
