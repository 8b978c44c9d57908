#include <gtest/gtest.h>

#include "services/Environment.h"
#include "services/Paths.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

TEST(Paths, ExistenceTestsTellFilesAndFoldersApart) {
  FakeMachine m;
  m.files.PutFile(L"C:\\data\\a.txt", "x");
  EXPECT_TRUE(FileExists(L"c:\\DATA\\A.TXT"));
  EXPECT_FALSE(FolderExists(L"C:\\data\\a.txt"));
  EXPECT_TRUE(FolderExists(L"C:\\data\\"));
  EXPECT_FALSE(FileExists(L"C:\\data"));
  EXPECT_FALSE(FileExists(L""));
  EXPECT_FALSE(FolderExists(L""));
}

TEST(Paths, PathFormsOfAMissingPath) {
  FakeMachine m;
  EXPECT_EQ(ShortPath(L"C:\\no such folder\\x"), L"");
  EXPECT_EQ(LongPath(L"C:\\no such folder\\x"), L"C:\\no such folder\\x");
}

TEST(Paths, TempFolderDropsItsTrailingBackslashButKeepsADriveLetter) {
  FakeMachine m;
  m.files.tempPath = L"C:\\Users\\test\\Temp\\";
  EXPECT_EQ(GetTempFolder(), L"C:\\Users\\test\\Temp");
  m.files.tempPath = L"C:\\";
  EXPECT_EQ(GetTempFolder(), L"C:");
  // No temporary folder at all: the root of the Windows drive.
  Env().SystemDrive = L"D";
  m.files.tempPath = L"";
  EXPECT_EQ(GetTempFolder(), L"D:");
}

}  // namespace
}  // namespace vantrel::test
