#include <gtest/gtest.h>

#include "services/Settings.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

TEST(Settings, StoredAsTextUnderTheProgramSettingsKey) {
  FakeMachine m;
  EXPECT_EQ(ReadSetting(kProgramSettings, L"Settings", L"PlaySound"), L"");
  EXPECT_TRUE(WriteSetting(kProgramSettings, L"Settings", L"PlaySound", L"NO"));
  WriteSetting(kInstallSettings, L"VNL", L"Reload-Month", L"12");
  const auto v = m.registry.Query(Hive::CurrentUser,
                                  L"Software\\VB and VBA Program Settings\\VNL\\Settings", L"PlaySound");
  ASSERT_TRUE(v);
  EXPECT_EQ(v->type, regtype::String);
  EXPECT_EQ(ReadSetting(kProgramSettings, L"settings", L"PLAYSOUND"), L"NO");
  EXPECT_EQ(ReadSetting(kInstallSettings, L"VNL", L"Reload-Month"), L"12");
  // Empty is stored, not deleted.
  WriteSetting(kProgramSettings, L"Settings", L"PlaySound", L"");
  EXPECT_TRUE(m.registry.Query(Hive::CurrentUser,
                               L"Software\\VB and VBA Program Settings\\VNL\\Settings", L"PlaySound"));
}

TEST(Settings, OddValuesReadAsAbsentAndFailedWritesStayQuiet) {
  FakeMachine m;
  const std::wstring key = L"Software\\VB and VBA Program Settings\\VNL\\EmptyBin";
  m.registry.CreateKey(Hive::CurrentUser, key);
  m.registry.SetValue(Hive::CurrentUser, key, L"Value", DwordValue(1));
  EXPECT_EQ(ReadSetting(kProgramSettings, L"EmptyBin", L"Value"), L"");
  m.registry.refuseWrite = [](Hive, const std::wstring&) { return true; };
  EXPECT_FALSE(WriteSetting(kProgramSettings, L"EmptyBin", L"Value", L"YES"));
  EXPECT_EQ(ReadSetting(kProgramSettings, L"EmptyBin", L"Value"), L"");
}

}  // namespace
}  // namespace vantrel::test
