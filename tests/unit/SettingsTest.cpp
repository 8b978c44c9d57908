// The settings store, and the model of the user's choices over it: read
// once, written the moment a choice changes, in the keys and values earlier
// versions wrote, and a refusal told once.
#include <gtest/gtest.h>

#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kVnl = L"Software\\VB and VBA Program Settings\\VNL\\";

// A value of another type that someone put there reads as absent. (Values
// are written as text: the clicks below read them back as text.)
TEST(Settings, AValueOfAnotherTypeReadsAsAbsent) {
  FakeMachine m;
  m.registry.SetValue(Hive::CurrentUser, kVnl + L"EmptyBin", L"Value", DwordValue(1));
  EXPECT_EQ(ReadSetting(kProgramSettings, L"EmptyBin", L"Value"), L"");
}

// Keys as earlier versions wrote them, one value of each, and the control
// that value selects or ticks ("NO" unticks a box that absence ticks). The
// method's and the NTFS mode's codes are the first-run journey's.
#define AT(control) [](StartForm& f) -> Control& { return f.control; }
const struct {
  const wchar_t *section, *key, *value;
  Control& (*control)(StartForm&);
} kKept[] = {
    {L"SecurityWay", L"Value", L"7", AT(modes.full)},
    {L"EmptyBin", L"Value", L"YES", AT(method.emptyBin)},
    {L"RunSecondWindow", L"Value", L"YES", AT(welcome.skipWelcome)},
    {L"Settings", L"PlaySound", L"NO", AT(run.sound)},
    {L"Settings", L"PreventStandBy", L"NO", AT(method.preventStandby)},
};

// Read once, at the start: codes no version wrote select the spaces and no
// NTFS mode, and the run then takes the first. A start stores none; a click
// stores its value at once, and a box unticked the empty text.
TEST(Choices, AreReadOnceAndWrittenAtEachClickInTheirStoredForm) {
  {
    StartMachine stored;
    for (const auto& k : kKept) stored.Store(k.section, k.key, k.value);
    stored.Store(L"SecurityMethod", L"Value", L"9");
    stored.Store(L"NTFSMODE", L"VALUE", L"5");
    ASSERT_TRUE(stored.Start());
    stored.Store(L"SecurityWay", L"Value", L"");  // after the start: not read
    StartForm& f = *stored.form;
    for (const auto& k : kKept)
      EXPECT_EQ(k.control(f).Value(), std::wstring(k.value) == L"NO" ? 0 : 1) << k.key;
    EXPECT_EQ(f.method.spaces.Value(), 1);
    EXPECT_EQ(f.modes.normal.Value() + f.modes.thorough.Value() + f.modes.maximum.Value(), 0);
    const RunPlan plan = f.choices.Plan({L"C"});
    EXPECT_TRUE(plan.cleaning == CleaningMode::FreeSpace && plan.ntfs == NtfsMode::Normal);
    EXPECT_TRUE(!plan.preventStandby && plan.emptyRecycleBin);  // each from its own box
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

// A store that refuses: the choice holds for the session, the run takes
// it, and the user hears of it once.
TEST_F(Window, ARefusedChoiceHoldsForTheSessionAndIsToldOnce) {
  m.Disk(L'D');
  m.registry.faults.FailFrom(fake::FsOp::RegistrySet, 1, FsFailure::Refused);
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
