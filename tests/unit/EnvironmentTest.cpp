// The facts start-up gathers, and the path helpers built on them.
#include <gtest/gtest.h>

#include "services/Environment.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kIdFile = L"C:\\ProgramData\\brisen2.2.ini";

// Start-up makes the data folder and the identifier; it learns the rights
// from the system without writing anywhere to try; it keeps the temporary
// folder (where the uninstaller's scripts go) without its trailing
// backslash, a drive's root as its letter, and without any, the root of the
// Windows drive; and when nothing works it still gets through with what it
// could find.
TEST(Environment, StartUpResolvesTheFactsAndWritesNothingToFindTheRights) {
  const std::tuple<bool, const wchar_t*, const wchar_t*> starts[] = {
      {true, L"C:\\Users\\test\\Temp\\", L"C:\\Users\\test\\Temp"}, {false, L"C:\\", L"C:"}, {true, L"", L"C:"}};
  for (const auto& [elevated, reported, used] : starts) {
    FakeMachine m;
    m.files.MakeFolders(L"C:\\Users\\test\\AppData\\Roaming");
    m.system.elevated = elevated;
    m.files.tempPath = reported;
    InitEnvironment();
    const EnvironmentFacts& e = Env();
    EXPECT_TRUE(e.IsAdmin == elevated && e.TempFolder == used);
    EXPECT_TRUE(m.files.ListFiles(L"C:\\").empty() && m.registry.ValueCount(Hive::LocalMachine) == 0);
    EXPECT_TRUE(e.SystemDrive == L"C" && m.files.FolderExists(e.DataFolder) &&
                e.DataFolder.ends_with(L"\\Roaming\\VNL"));
    EXPECT_EQ(e.ProgramVersion + L" " + std::to_wstring(e.InstallId.size()), L"3.07 9");
  }
  FakeMachine m;
  m.shell.folders.clear();
  m.system.version = {2, 10};
  for (int op = 0; op <= static_cast<int>(fake::FsOp::TotalSize); ++op)
    m.files.faults.FailFrom(static_cast<fake::FsOp>(op), 1, FsFailure::Refused);
  InitEnvironment();
  EXPECT_EQ(Env().SystemDrive + Env().InstallId + Env().ProgramVersion, L"*2.10");
}

// Nine digits, drawn again until there are nine, and kept once stored. The
// file is every user's to write: one beyond the bound is neither read nor
// changed, and one that cannot be written leaves the identifier empty.
TEST(Environment, TheInstallationIdentifierHasNineDigitsAndIsKept) {
  FakeMachine m;
  m.clock.scriptedRandom = {0.05, 0.5, 0.7};
  EXPECT_EQ(ReadOrMakeInstallId(kIdFile), L"499999999");
  EXPECT_EQ(ReadOrMakeInstallId(kIdFile), L"499999999");
  const auto sized = [](std::string head, std::size_t size) { return head.append(size - head.size(), ';'); };
  const std::string stored = "[BRISEN2.2]\r\nPCID=123456789\r\n";
  const std::pair<std::string, std::wstring> files[] = {{sized(stored, kModuleIniMostBytes + 1), L""},
                                                        {sized("[BRISEN2.2]\r\n", kModuleIniMostBytes + 1), L""},
                                                        {sized(stored, kModuleIniMostBytes), L"123456789"}};
  for (const auto& [bytes, id] : files) {
    m.files.PutFile(kIdFile, bytes);
    EXPECT_EQ(ReadOrMakeInstallId(kIdFile), id);
    EXPECT_EQ(m.files.Contents(kIdFile), bytes);
  }
  m.files.RemoveFile(kIdFile);
  m.files.faults.FailFrom(fake::FsOp::Write, 1, FsFailure::Refused);
  EXPECT_EQ(ReadOrMakeInstallId(kIdFile), L"");
}

}  // namespace
}  // namespace vantrel::test
