#include <gtest/gtest.h>

#include "services/Settings.h"
#include "platform/Platform.h"
#include "services/RegistryHelpers.h"

namespace vantrel::contract {
namespace {

const std::wstring kKey = L"Software\\Vantrel Contract";
const std::wstring kPath = L"HKEY_CURRENT_USER\\" + kKey;

TEST(RegistryContract, RoundTripsAndRenderings) {
  RegistryWrite(kPath, L"Text", L"hello world", 1);
  RegistryWrite(kPath, L"Num", L"120", 4);
  RegistryWrite(kPath + L"\\Sub", L"Expand", L"x", 2);
  EXPECT_EQ(RegistryRead(kPath + L"\\Text"), L"hello world");
  EXPECT_EQ(RegistryRead(kPath + L"\\Num"), L"78 00 00 00 ");
  EXPECT_EQ(RegistryRead(kPath + L"\\Missing"), L"");
  EXPECT_EQ(RegistryRead(kPath + L"\\Sub\\Expand"), L"");
  EXPECT_EQ(RegistryRead(L"HKEY_CLASSES_ROOT\\.txt\\"), L"");

  Registry& reg = *Os().registry;
  reg.SetValue(Hive::CurrentUser, kKey, L"", StringValue(L"the default"));
  reg.SetValue(Hive::CurrentUser, kKey, L"Bin", {regtype::Binary, {0x60, 0x00, 0xFF}});
  reg.SetValue(Hive::CurrentUser, kKey, L"Big", {regtype::DwordBigEndian, {'W', 'X', 'Y', 'Z'}});
  RegValue expand = StringValue(L"%SystemRoot%\\x");
  expand.type = regtype::ExpandString;
  reg.SetValue(Hive::CurrentUser, kKey, L"Exp", expand);
  RegValue multi = StringValue(L"ab");
  multi.data.insert(multi.data.end(), {'c', 0, 0, 0, 0, 0});
  multi.type = regtype::MultiString;
  reg.SetValue(Hive::CurrentUser, kKey, L"Multi", multi);
  EXPECT_EQ(RegistryRead(kPath + L"\\"), L"the default");
  EXPECT_EQ(RegistryRead(kPath + L"\\Bin"), L"60 00 FF ");
  EXPECT_EQ(RegistryRead(kPath + L"\\Big"), L"WXYZ");
  EXPECT_EQ(RegistryRead(kPath + L"\\Exp"), L"%SystemRoot%\\x");
  EXPECT_EQ(RegistryRead(kPath + L"\\Multi"), L"abc");
}

TEST(RegistryContract, DeletesValuesThenKeysButNotKeysWithSubkeys) {
  RegistryWrite(kPath + L"\\Del\\Child", L"V", L"1", 1);
  RegistryDelete(kPath + L"\\Del\\Child\\V");
  EXPECT_FALSE(Os().registry->Query(Hive::CurrentUser, kKey + L"\\Del\\Child", L"V"));
  RegistryDelete(kPath + L"\\Del\\");  // still has a subkey: stays
  EXPECT_TRUE(Os().registry->CreateKey(Hive::CurrentUser, kKey + L"\\Del\\Child"));
  RegistryDelete(L"HKCU\\" + kKey + L"\\Del\\Child\\");
  RegistryDelete(kPath + L"\\Del\\");
  RegistryWrite(kPath + L"\\Probe", L"P", L"x", 1);
  EXPECT_EQ(RegistryRead(kPath + L"\\Probe\\P"), L"x");
  EXPECT_FALSE(Os().registry->Query(Hive::CurrentUser, kKey + L"\\Del", L""));
}

TEST(RegistryContract, SettingsStoreLandsWhereTheProgramLooks) {
  WriteSetting(kProgramSettings, L"Contract", L"Value", L"YES");
  EXPECT_EQ(RegistryRead(L"HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\VNL\\Contract\\Value"),
            L"YES");
  EXPECT_EQ(ReadSetting(kProgramSettings, L"Contract", L"Value"), L"YES");
  EXPECT_EQ(ReadSetting(kProgramSettings, L"Contract", L"Absent"), L"");
}

// Wine gives its processes a full administrator token (measured: the
// elevation question is answered, elevated, of the full type), so the tests
// under Wine take an administrator's paths.
TEST(RegistryContract, WineAnswersThatTheProcessIsElevated) {
  EXPECT_TRUE(Os().system->ProcessIsElevated());
}

}  // namespace
}  // namespace vantrel::contract
