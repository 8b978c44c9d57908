// Registry values by path text, and INI values, as the logic reads and
// writes them.
#include <gtest/gtest.h>

#include "services/IniHelpers.h"
#include "services/RegistryHelpers.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kKey = L"Software\\Vantrel Test";

// Numbers and binary data as hexadecimal bytes, texts as they are; only the
// machine and the user hive, and a path ending in a backslash for the
// default value.
TEST(RegistryHelpers, RendersEachTypeAndKnowsTwoHives) {
  FakeMachine m;
  RegValue expand = StringValue(L"%TEMP%\\x"), multi = StringValue(L"one");
  expand.type = regtype::ExpandString;
  multi.data.insert(multi.data.end(), {'t', 0, 'w', 0, 'o', 0, 0, 0, 0, 0});
  multi.type = regtype::MultiString;
  const struct {
    Hive hive;
    const wchar_t* path;  // after the key
    RegValue value;
    const wchar_t* read;
  } values[] = {{Hive::CurrentUser, L"\\Num", DwordValue(120), L"78 00 00 00 "},
                {Hive::CurrentUser, L"\\Bin", {regtype::Binary, {0x00, 0xAB, 0x7F}}, L"00 AB 7F "},
                {Hive::CurrentUser, L"\\Big", {regtype::DwordBigEndian, {0x41, 0x42, 0x43, 0x44}}, L"ABCD"},
                {Hive::CurrentUser, L"\\Exp", expand, L"%TEMP%\\x"},
                {Hive::CurrentUser, L"\\Multi", multi, L"onetwo"},
                {Hive::CurrentUser, L"\\Odd", {11, {1, 2, 3}}, L""},
                {Hive::LocalMachine, L"\\", StringValue(L"default"), L"default"},
                {Hive::ClassesRoot, L"\\", StringValue(L"classes"), L""}};
  for (const auto& v : values) {
    const std::wstring name = std::wstring(v.path).substr(1);
    m.registry.CreateKey(v.hive, kKey);
    m.registry.SetValue(v.hive, kKey, name, v.value);
    const std::wstring hive = v.hive == Hive::CurrentUser    ? L"HKEY_CURRENT_USER\\"
                              : v.hive == Hive::LocalMachine ? L"HKEY_LOCAL_MACHINE\\"
                                                             : L"HKEY_CLASSES_ROOT\\";
    EXPECT_EQ(RegistryRead(hive + kKey + v.path), v.read) << v.path;
  }
  EXPECT_EQ(RegistryRead(L"HKLM\\" + kKey + L"\\"), L"");
  EXPECT_EQ(RegistryRead(L""), L"");
}

// Text (type 1) and numbers (type 4) are written, making the key; a number
// that is no number, and type 2, only make the key. Values and keys go in
// any hive.
TEST(RegistryHelpers, WritesTextAndNumbersAndDeletesInAnyHive) {
  FakeMachine m;
  const std::wstring deep = L"HKEY_CURRENT_USER\\" + kKey + L"\\Deep";
  RegistryWrite(deep, L"Text", L"hello", 1);
  RegistryWrite(deep, L"Seven", L"7", 4);
  RegistryWrite(deep, L"Word", L"not a number", 4);
  RegistryWrite(deep + L"\\Other", L"Expand", L"x", 2);
  EXPECT_EQ(RegistryRead(deep + L"\\Text"), L"hello");
  EXPECT_EQ(m.registry.Query(Hive::CurrentUser, kKey + L"\\Deep", L"Seven")->data, DwordValue(7).data);
  EXPECT_FALSE(m.registry.Query(Hive::CurrentUser, kKey + L"\\Deep", L"Word"));
  EXPECT_TRUE(m.registry.HasKey(Hive::CurrentUser, kKey + L"\\Deep\\Other"));
  EXPECT_FALSE(m.registry.Query(Hive::CurrentUser, kKey + L"\\Deep\\Other", L"Expand"));
  m.registry.CreateKey(Hive::ClassesRoot, kKey);
  m.registry.SetValue(Hive::ClassesRoot, kKey, L"V", StringValue(L"x"));
  RegistryDelete(L"HKCR\\" + kKey + L"\\V");
  EXPECT_FALSE(m.registry.Query(Hive::ClassesRoot, kKey, L"V"));
  RegistryDelete(L"HKEY_CLASSES_ROOT\\" + kKey + L"\\");
  EXPECT_FALSE(m.registry.HasKey(Hive::ClassesRoot, kKey));
}

// As the system's reader: sections and keys without regard to case, blanks
// trimmed, one pair of quotes taken off, only the first section of a name,
// at most 749 characters; garbage and a missing file give nothing.
TEST(IniHelpers, ReadsAsTheSystemReaderDoesAndWritesKeysInUpperCase) {
  FakeMachine m;
  const std::wstring file = L"C:\\ProgramData\\test.ini";
  m.files.PutFile(file, "; a comment=not a key\r\n[Main]\r\nSpaced =   some text   \r\nQuoted=\"  kept blanks  \"\r\n"
                        "Single='x'\r\nHalf=\"open\r\nLong=" + std::string(10000, 'a') + "\r\n[main]\r\nLate=second\r\n"
                        "[Open\r\nOpened=no section without its bracket\r\n");
  const std::pair<const wchar_t*, std::wstring> reads[] = {
      {L"SPACED", L"some text"}, {L"quoted", L"  kept blanks  "}, {L"Single", L"x"}, {L"Half", L"\"open"},
      {L"Long", std::wstring(749, L'a')}, {L"Late", L""}, {L"missing", L""}};
  for (const auto& [key, value] : reads) EXPECT_EQ(IniRead(L"MAIN", key, file), value) << key;
  EXPECT_EQ(IniRead(L"Open", L"Opened", file), L"");
  EXPECT_EQ(IniRead(L"Main", L"Spaced", L"C:\\nowhere.ini"), L"");
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 131) % 256));
  m.files.PutFile(file, garbage);
  EXPECT_EQ(IniRead(L"S", L"K", file), L"");

  m.files.RemoveFile(file);
  IniWrite(L"BRISEN2.2", L"pcid", L"123456789", file);
  EXPECT_EQ(m.files.Contents(file), "[BRISEN2.2]\r\nPCID=123456789\r\n");
  IniWrite(L"BRISEN2.2", L"PCID", L"987654321", file);
  EXPECT_EQ(IniRead(L"brisen2.2", L"pcid", file), L"987654321");
  IniWrite(L"S", L"K", L"v", L"C:\\missing\\x.ini");
  EXPECT_FALSE(m.files.FileExists(L"C:\\missing\\x.ini"));
}

}  // namespace
}  // namespace vantrel::test
