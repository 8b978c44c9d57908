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

// A stored value, the control it selects or ticks at start (1) or leaves
// unticked (0), and the same value stored by a click on it.
#define AT(control) [](StartForm& f) -> Control& { return f.control; }
const struct {
  const wchar_t *section, *key, *value;
  int shown;
  Control& (*control)(StartForm&);
} kKept[] = {
    {L"SecurityMethod", L"Value", L"1", 1, AT(method.randomCharacters)},
    {L"SecurityMethod", L"Value", L"3", 1, AT(method.randomDigits)},
    {L"SecurityMethod", L"Value", L"4", 1, AT(method.gutmann)},
    {L"SecurityMethod", L"Value", L"5", 1, AT(method.dod)},
    {L"SecurityWay", L"Value", L"7", 1, AT(modes.full)},
    {L"NTFSMODE", L"VALUE", L"2", 1, AT(modes.thorough)},
    {L"NTFSMODE", L"VALUE", L"3", 1, AT(modes.maximum)},
    {L"EmptyBin", L"Value", L"YES", 1, AT(method.emptyBin)},
    {L"Settings", L"SHOWGOODONLY", L"YES", 1, AT(history.completedOnly)},
    {L"RunSecondWindow", L"Value", L"YES", 1, AT(welcome.skipWelcome)},
    {L"Settings", L"PlaySound", L"NO", 0, AT(run.sound)},
    {L"Settings", L"PreventStandBy", L"NO", 0, AT(method.preventStandby)},
};

TEST(Choices, EachIsReadAndWrittenInItsStoredForm) {
  for (const auto& k : kKept) {
    SCOPED_TRACE(std::wstring(k.key) + L"=" + k.value);
    {
      StartMachine stored;
      stored.Store(k.section, k.key, k.value);
      ASSERT_TRUE(stored.Start());
      EXPECT_EQ(k.control(*stored.form).Value(), k.shown);
    }
    StartMachine clicked;
    ASSERT_TRUE(clicked.Start());
    Control& control = k.control(*clicked.form);
    control.Click();
    EXPECT_EQ(clicked.Setting(k.section, k.key), k.value);
    if (control.kind() != ControlKind::CheckBox) continue;
    control.Click();  // back: the empty text is stored, not deleted
    EXPECT_TRUE(clicked.registry.Query(Hive::CurrentUser, kVnl + k.section, k.key));
    EXPECT_EQ(clicked.Setting(k.section, k.key), L"");
  }
}

TEST(Choices, UnknownValuesSelectNoModeOrTheSpacesAndARunTakesTheFirstModes) {
  StartMachine m;
  m.Store(L"SecurityMethod", L"Value", L"9");
  m.Store(L"SecurityWay", L"Value", L"x");
  m.Store(L"NTFSMODE", L"VALUE", L"5");
  ASSERT_TRUE(m.Start());
  const ModePage& modes = m.form->modes;
  EXPECT_EQ(m.form->method.spaces.Value(), 1);
  EXPECT_EQ(modes.quick.Value() + modes.full.Value() + modes.normal.Value() + modes.thorough.Value() + modes.maximum.Value(), 0);
  const RunPlan plan = m.form->choices.Plan({L"C"});
  EXPECT_TRUE(plan.cleaning == CleaningMode::FileRecords && plan.ntfs == NtfsMode::Normal);
  EXPECT_TRUE(plan.preventStandby && !plan.emptyRecycleBin);  // each from its own box
}

// Read when the window loads and not again; a start stores nothing.
TEST_F(Window, ChoicesAreReadOnceAndAStartStoresNone) {
  for (const wchar_t* section : {L"SecurityWay", L"NTFSMODE", L"RunSecondWindow"})
    EXPECT_FALSE(m.registry.HasKey(Hive::CurrentUser, kVnl + section)) << section;
  m.Disk(L'D');
  m.Store(L"DiskSelection", L"D", L"YES");
  m.Store(L"SecurityWay", L"Value", L"7");
  f->wizard.ShowPage(2);
  EXPECT_TRUE(f->disks.SelectedLetters().empty());
  EXPECT_EQ(f->choices.Plan({}).cleaning, CleaningMode::FileRecords);
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
