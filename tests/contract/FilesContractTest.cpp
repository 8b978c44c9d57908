#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/IniHelpers.h"
#include "services/Paths.h"
#include "tests/contract/ContractHarness.h"

namespace vantrel::contract {
namespace {

TEST(FilesContract, IniSemanticsOfTheSystemReader) {
  const std::wstring file = ScratchFolder() + L"\\test.ini";
  const std::string cyrillic = "\xC4\xE0\xEB\xE5\xE5";
  ASSERT_TRUE(Os().files->WriteAll(file,
                                   "[Main]\r\n"
                                   "Spaced =   some text   \r\n"
                                   "Quoted=\"  kept  \"\r\n"
                                   "Long=" + std::string(10000, 'a') + "\r\n"
                                   "Raw=" + cyrillic + "\r\n"
                                   "Blank=\r\n"));
  EXPECT_EQ(IniRead(L"MAIN", L"SPACED", file), L"some text");
  EXPECT_EQ(IniRead(L"main", L"Quoted", file), L"  kept  ");
  EXPECT_EQ(IniRead(L"Main", L"Long", file), std::wstring(749, L'a'));
  EXPECT_EQ(IniRead(L"Main", L"Blank", file), L"");
  EXPECT_EQ(IniRead(L"Main", L"Absent", file), L"");
  EXPECT_EQ(IniRead(L"Main", L"Spaced", file + L".missing"), L"");
  // 8-bit texts come back as the file's own bytes.
  EXPECT_EQ(IniReadBytes(L"Main", L"Raw", file), cyrillic);

  IniWrite(L"BRISEN2.2", L"pcid", L"123456789", file);
  std::string bytes;
  ASSERT_TRUE(Os().files->ReadAll(file, bytes));
  EXPECT_NE(bytes.find("PCID=123456789"), std::string::npos);
  EXPECT_EQ(IniRead(L"brisen2.2", L"PcId", file), L"123456789");
}

TEST(FilesContract, PathFormsAndTheTemporaryFolder) {
  const std::wstring missing = L"C:\\no such folder\\nothing.txt";
  EXPECT_EQ(ShortPath(missing), L"");
  EXPECT_EQ(LongPath(missing), missing);
  const std::wstring folder = ScratchFolder() + L"\\A long folder name";
  ASSERT_TRUE(Os().files->CreateFolder(folder));
  const std::wstring shortForm = ShortPath(folder);
  EXPECT_FALSE(shortForm.empty());
  EXPECT_TRUE(FolderExists(shortForm));
  EXPECT_EQ(LongPath(shortForm), folder);

  const std::wstring temp = GetTempFolder();
  EXPECT_FALSE(temp.empty());
  EXPECT_NE(temp.back(), L'\\');
  EXPECT_TRUE(FolderExists(temp));
}

TEST(FilesContract, FilesFoldersListingsAndReplacement) {
  const std::wstring folder = ScratchFolder();
  const std::wstring a = folder + L"\\a.txt", b = folder + L"\\b.txt";
  ASSERT_TRUE(Os().files->WriteAll(a, "new"));
  ASSERT_TRUE(Os().files->WriteAll(b, "old"));
  ASSERT_TRUE(Os().files->AppendAll(a, " line"));
  EXPECT_TRUE(FileExists(a));
  EXPECT_FALSE(FolderExists(a));
  EXPECT_TRUE(FolderExists(folder));
  EXPECT_FALSE(FileExists(folder));
  ASSERT_TRUE(Os().files->CreateFolder(folder + L"\\sub"));
  EXPECT_EQ(Os().files->ListFiles(folder).size(), 2u);  // folders are not files
  ASSERT_TRUE(Os().files->MoveReplace(a, b));
  std::string bytes;
  ASSERT_TRUE(Os().files->ReadAll(b, bytes));
  EXPECT_EQ(bytes, "new line");
  EXPECT_FALSE(FileExists(a));
  EXPECT_FALSE(Os().files->RemoveFolder(folder));  // not empty
}

}  // namespace
}  // namespace vantrel::contract
