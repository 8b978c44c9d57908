// The settings store, and the model of the user's choices over it: read
// once, written the moment a choice changes, in the keys and values earlier
// versions wrote, and a refusal told once.
#include <gtest/gtest.h>

#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

using fake::FsOp;

const std::wstring kVnl = L"Software\\VB and VBA Program Settings\\VNL\\";

TEST(Settings, TextUnderTheProgramsKeyOtherTypesReadAbsentRefusalsSaySo) {
  FakeMachine m;
  WriteSetting(kInstallSettings, L"VNL", L"Reload-Month", L"12");
  EXPECT_EQ(ReadSetting(kInstallSettings, L"vnl", L"RELOAD-MONTH"), L"12");
  EXPECT_TRUE(WriteSetting(kProgramSettings, L"Settings", L"PlaySound", L""));
  EXPECT_EQ(m.registry.Query(Hive::CurrentUser, kVnl + L"Settings", L"PlaySound")->type, regtype::String);
  m.registry.SetValue(Hive::CurrentUser, kVnl + L"EmptyBin", L"Value", DwordValue(1));
  m.registry.faults.Fail(FsOp::RegistrySet, 1, FsFailure::Refused);
  EXPECT_FALSE(WriteSetting(kProgramSettings, L"EmptyBin", L"Value", L"YES"));
  EXPECT_EQ(ReadSetting(kProgramSettings, L"EmptyBin", L"Value"), L"");
}

// Each key earlier versions wrote, one value of it, and the control that
// value selects or ticks ("NO" unticks a box that absence ticks).
#define AT(control) [](StartForm& f) -> Control& { return f.control; }
const struct {
  const wchar_t *section, *key, *value;
  Control& (*control)(StartForm&);
} kKept[] = {
    {L"SecurityMethod", L"Value", L"4", AT(method.gutmann)},
    {L"SecurityWay", L"Value", L"7", AT(modes.full)},
    {L"NTFSMODE", L"VALUE", L"3", AT(modes.maximum)},
    {L"EmptyBin", L"Value", L"YES", AT(method.emptyBin)},
    {L"Settings", L"SHOWGOODONLY", L"YES", AT(history.completedOnly)},
    {L"RunSecondWindow", L"Value", L"YES", AT(welcome.skipWelcome)},
    {L"Settings", L"PlaySound", L"NO", AT(run.sound)},
    {L"Settings", L"PreventStandBy", L"NO", AT(method.preventStandby)},
};

// Read at start; a start stores none, a click stores its value at once.
TEST(Choices, EachIsReadAndWrittenInItsStoredFormAndAStartStoresNone) {
  {
    StartMachine stored;
    for (const auto& k : kKept) stored.Store(k.section, k.key, k.value);
    ASSERT_TRUE(stored.Start());
    for (const auto& k : kKept)
      EXPECT_EQ(k.control(*stored.form).Value(), std::wstring(k.value) == L"NO" ? 0 : 1) << k.key;
  }
  StartMachine clicked;
  ASSERT_TRUE(clicked.Start());
  for (const auto& k : kKept) {
    SCOPED_TRACE(std::wstring(k.key) + L"=" + k.value);
    EXPECT_FALSE(clicked.registry.Query(Hive::CurrentUser, kVnl + k.section, k.key));
    Control& control = k.control(*clicked.form);
    control.Click();
    EXPECT_EQ(clicked.Setting(k.section, k.key), k.value);
    if (control.kind() != ControlKind::CheckBox) continue;
    control.Click();  // back: the empty text is stored, not deleted
    EXPECT_TRUE(clicked.registry.Query(Hive::CurrentUser, kVnl + k.section, k.key));
    EXPECT_EQ(clicked.Setting(k.section, k.key), L"");
  }
}

// Values no version wrote select no mode, or the spaces; the run then takes
// the first modes. Values stored after the start are not read.
TEST(Choices, UnknownOrLateValuesSelectNoModeOrTheSpacesAndARunTakesTheFirstModes) {
  StartMachine m;
  m.Store(L"SecurityMethod", L"Value", L"9");
  m.Store(L"SecurityWay", L"Value", L"x");
  m.Store(L"NTFSMODE", L"VALUE", L"5");
  m.Disk(L'D');
  ASSERT_TRUE(m.Start());
  StartForm& f = *m.form;
  m.Store(L"DiskSelection", L"D", L"YES");
  m.Store(L"SecurityWay", L"Value", L"7");
  f.wizard.ShowPage(2);
  EXPECT_TRUE(f.disks.SelectedLetters().empty());
  EXPECT_EQ(f.method.spaces.Value(), 1);
  const ModePage& modes = f.modes;
  EXPECT_EQ(modes.quick.Value() + modes.full.Value() + modes.normal.Value() + modes.thorough.Value() + modes.maximum.Value(), 0);
  const RunPlan plan = f.choices.Plan({L"C"});
  EXPECT_TRUE(plan.cleaning == CleaningMode::FileRecords && plan.ntfs == NtfsMode::Normal);
  EXPECT_TRUE(plan.preventStandby && !plan.emptyRecycleBin);  // each from its own box
}

// A store that refuses: the choice holds for the session, the run takes
// it, and the user hears of it once.
TEST_F(Window, ARefusedChoiceHoldsForTheSessionAndIsToldOnce) {
  m.Disk(L'D');
  m.registry.faults.FailFrom(FsOp::RegistrySet, 1, FsFailure::Refused);
  for (Control* c : {&f->modes.full, &f->method.emptyBin, &f->method.gutmann}) c->Click();
  f->wizard.ShowPage(2);
  Choose(L"D");
  EXPECT_EQ(m.Boxes(), Texts{Text(L"VERSION3", L"CHOICE-NOT-STORED")});
  EXPECT_EQ(m.dialogs.shown[0].style, mb::Exclamation);
  const RunPlan plan = f->choices.Plan(f->disks.SelectedLetters());
  EXPECT_EQ(plan.letters, Texts{L"D"});
  EXPECT_TRUE(plan.cleaning == CleaningMode::FreeSpace && plan.method == OverwriteMethod::Gutmann && plan.emptyRecycleBin);
}

}  // namespace
}  // namespace vantrel::test
