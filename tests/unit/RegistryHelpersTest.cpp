// Registry values by path text, as the logic reads them.
#include <gtest/gtest.h>

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
    const wchar_t* path;
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

}  // namespace
}  // namespace vantrel::test
