#include <gtest/gtest.h>

#include "services/RegistryHelpers.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kKey = L"Software\\Vantrel Test";

RegValue Raw(uint32_t type, std::vector<uint8_t> data) { return {type, std::move(data)}; }

struct RegistryHelpers : ::testing::Test {
  FakeMachine m;
  void Put(Hive hive, const std::wstring& name, const RegValue& v) {
    m.registry.CreateKey(hive, kKey);
    m.registry.SetValue(hive, kKey, name, v);
  }
};

TEST_F(RegistryHelpers, RendersEachTypeAsTheCallersExpect) {
  Put(Hive::CurrentUser, L"Num", DwordValue(120));
  Put(Hive::CurrentUser, L"Dpi", DwordValue(96));
  Put(Hive::CurrentUser, L"Bin", Raw(regtype::Binary, {0x00, 0xAB, 0x7F}));
  Put(Hive::CurrentUser, L"Big", Raw(regtype::DwordBigEndian, {0x41, 0x42, 0x43, 0x44}));
  RegValue expand = StringValue(L"%TEMP%\\x");
  expand.type = regtype::ExpandString;
  Put(Hive::CurrentUser, L"Exp", expand);
  RegValue multi = StringValue(L"one");
  multi.data.insert(multi.data.end(), {'t', 0, 'w', 0, 'o', 0, 0, 0, 0, 0});
  multi.type = regtype::MultiString;
  Put(Hive::CurrentUser, L"Multi", multi);
  Put(Hive::CurrentUser, L"Odd", Raw(11, {1, 2, 3}));
  const std::wstring base = L"HKEY_CURRENT_USER\\" + kKey + L"\\";
  EXPECT_EQ(RegistryRead(base + L"Num"), L"78 00 00 00 ");
  EXPECT_EQ(RegistryRead(base + L"Dpi"), L"60 00 00 00 ");
  EXPECT_EQ(RegistryRead(base + L"Bin"), L"00 AB 7F ");
  EXPECT_EQ(RegistryRead(base + L"Big"), L"ABCD");
  EXPECT_EQ(RegistryRead(base + L"Exp"), L"%TEMP%\\x");
  EXPECT_EQ(RegistryRead(base + L"Multi"), L"onetwo");
  EXPECT_EQ(RegistryRead(base + L"Odd"), L"");
  EXPECT_EQ(RegistryRead(base + L"Missing"), L"");
}

TEST_F(RegistryHelpers, KnowsOnlyTwoHivesAndReadsDefaultValues) {
  Put(Hive::LocalMachine, L"", StringValue(L"default"));
  Put(Hive::ClassesRoot, L"", StringValue(L"classes"));
  EXPECT_EQ(RegistryRead(L"HKEY_LOCAL_MACHINE\\" + kKey + L"\\"), L"default");
  EXPECT_EQ(RegistryRead(L"HKEY_CLASSES_ROOT\\" + kKey + L"\\"), L"");
  EXPECT_EQ(RegistryRead(L"HKLM\\" + kKey + L"\\"), L"");
  EXPECT_EQ(RegistryRead(L""), L"");
}

TEST_F(RegistryHelpers, WritesTextAndNumbers) {
  const std::wstring key = L"HKEY_CURRENT_USER\\" + kKey + L"\\Deep";
  EXPECT_TRUE(RegistryWrite(key, L"Text", L"hello", 1));
  RegistryWrite(key, L"Seven", L"7", 4);
  EXPECT_FALSE(RegistryWrite(key, L"Word", L"not a number", 4));
  EXPECT_FALSE(RegistryWrite(key + L"\\Other", L"Expand", L"x", 2));
  EXPECT_EQ(RegText(*m.registry.Query(Hive::CurrentUser, kKey + L"\\Deep", L"Text")), L"hello");
  const auto seven = m.registry.Query(Hive::CurrentUser, kKey + L"\\Deep", L"Seven");
  ASSERT_TRUE(seven);
  EXPECT_EQ(seven->type, regtype::Dword);
  EXPECT_EQ(seven->data, (std::vector<uint8_t>{7, 0, 0, 0}));
  EXPECT_FALSE(m.registry.Query(Hive::CurrentUser, kKey + L"\\Deep", L"Word"));
  // Type 2 makes the key and stores nothing.
  EXPECT_TRUE(m.registry.HasKey(Hive::CurrentUser, kKey + L"\\Deep\\Other"));
  EXPECT_FALSE(m.registry.Query(Hive::CurrentUser, kKey + L"\\Deep\\Other", L"Expand"));
}

TEST_F(RegistryHelpers, DeletesValuesOrKeysInAnyHive) {
  Put(Hive::ClassesRoot, L"V", StringValue(L"x"));
  EXPECT_TRUE(RegistryDelete(L"HKCR\\" + kKey + L"\\V"));
  EXPECT_FALSE(m.registry.Query(Hive::ClassesRoot, kKey, L"V"));
  EXPECT_TRUE(m.registry.HasKey(Hive::ClassesRoot, kKey));
  RegistryDelete(L"HKEY_CLASSES_ROOT\\" + kKey + L"\\");
  EXPECT_FALSE(m.registry.HasKey(Hive::ClassesRoot, kKey));
  EXPECT_FALSE(RegistryDelete(L"NOWHERE\\x\\"));  // unknown hive: nothing happens
}

TEST_F(RegistryHelpers, FailuresStayQuiet) {
  m.registry.refuseWrite = [](Hive, const std::wstring&) { return true; };
  EXPECT_FALSE(RegistryWrite(L"HKEY_LOCAL_MACHINE\\" + kKey, L"T", L"x", 1));
  EXPECT_EQ(m.registry.ValueCount(Hive::LocalMachine), 0u);
  RegistryDelete(L"HKEY_LOCAL_MACHINE\\" + kKey + L"\\T");
}

}  // namespace
}  // namespace vantrel::test
