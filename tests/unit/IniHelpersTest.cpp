#include <gtest/gtest.h>

#include "services/IniHelpers.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kFile = L"C:\\ProgramData\\test.ini";

TEST(IniHelpers, ReadsAsTheSystemReaderDoes) {
  FakeMachine m;
  m.files.PutFile(kFile,
                  "; a comment=not a key\r\n"
                  "[Main]\r\n"
                  "Spaced =   some text   \r\n"
                  "Quoted=\"  kept blanks  \"\r\n"
                  "Single='x'\r\n"
                  "Half=\"open\r\n"
                  "[other]\r\n"
                  "spaced=wrong section\r\n"
                  "[main]\r\n"
                  "Late=only the first section of a name counts\r\n"
                  "[Open\r\n"
                  "Opened=no section without its bracket\r\n");
  EXPECT_EQ(IniRead(L"MAIN", L"SPACED", kFile), L"some text");
  EXPECT_EQ(IniRead(L"Main", L"quoted", kFile), L"  kept blanks  ");
  EXPECT_EQ(IniRead(L"Main", L"Single", kFile), L"x");
  EXPECT_EQ(IniRead(L"Main", L"Half", kFile), L"\"open");
  EXPECT_EQ(IniRead(L"Main", L"missing", kFile), L"");
  EXPECT_EQ(IniRead(L"Main", L"Late", kFile), L"");
  EXPECT_EQ(IniRead(L"Open", L"Opened", kFile), L"");
  EXPECT_EQ(IniRead(L"Main", L"Spaced", L"C:\\nowhere.ini"), L"");
}

TEST(IniHelpers, CutsLongValuesAt749Characters) {
  FakeMachine m;
  m.files.PutFile(kFile, "[S]\r\nK=" + std::string(10000, 'a') + "\r\nNext=ok\r\n");
  EXPECT_EQ(IniRead(L"S", L"K", kFile), std::wstring(749, L'a'));
  EXPECT_EQ(IniRead(L"S", L"Next", kFile), L"ok");
}

TEST(IniHelpers, GarbageGivesNothing) {
  FakeMachine m;
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 131) % 256));
  m.files.PutFile(kFile, garbage);
  EXPECT_EQ(IniRead(L"S", L"K", kFile), L"");
  m.files.PutFile(kFile, "no sections here\r\nK=v\r\n");
  EXPECT_EQ(IniRead(L"S", L"K", kFile), L"");
}

TEST(IniHelpers, WritesKeysInUpperCaseAndFindsThemInEither) {
  FakeMachine m;
  IniWrite(L"BRISEN2.2", L"pcid", L"123456789", kFile);
  EXPECT_EQ(m.files.Contents(kFile), "[BRISEN2.2]\r\nPCID=123456789\r\n");
  IniWrite(L"BRISEN2.2", L"Other", L"2", kFile);
  IniWrite(L"BRISEN2.2", L"PCID", L"987654321", kFile);
  EXPECT_EQ(IniRead(L"brisen2.2", L"pcid", kFile), L"987654321");
  EXPECT_EQ(IniRead(L"BRISEN2.2", L"OTHER", kFile), L"2");
  // Into a folder that does not exist: nothing, and no failure.
  EXPECT_FALSE(IniWrite(L"S", L"K", L"v", L"C:\\missing\\x.ini"));
  EXPECT_FALSE(m.files.FileExists(L"C:\\missing\\x.ini"));
}

}  // namespace
}  // namespace vantrel::test
