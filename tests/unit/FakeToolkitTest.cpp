// The fake toolkit's tooltips behave as the real ones do, so tests of the
// panel that rely on them prove something about the program.
#include <gtest/gtest.h>

#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeToolkit.h"

namespace vantrel::fake {
namespace {

struct FakeToolkitTest : ::testing::Test {
  ~FakeToolkitTest() override {
    form.reset();
    InstallToolkit(nullptr);
  }
  FakeClock clock;
  FakeFileSystem files;
  FakeToolkit toolkit{clock, files};
  bool installed = (InstallToolkit(&toolkit), true);  // before the form below is made
  std::unique_ptr<Form> form = std::make_unique<Form>(L"Start", 6000, 4000);
  Control& panel = form->Add(ControlKind::Container, L"Picture1", 1, nullptr, {});
  Control& slot = form->Add(ControlKind::Label, L"DiskLabel", 2, &panel, {}, 0);
};

TEST_F(FakeToolkitTest, ATipShowsOnlyOverAControlThePersonCanPointAt) {
  slot.SetToolTip(L"C: Local disk\nNTFS");
  EXPECT_EQ(toolkit.HoverText(slot), L"") << "the form is not shown yet";
  form->SetVisible(true);
  EXPECT_EQ(toolkit.HoverText(slot), L"C: Local disk\nNTFS");
  panel.SetVisible(false);
  EXPECT_EQ(toolkit.HoverText(slot), L"");
  panel.SetVisible(true);
  slot.SetEnabled(false);
  EXPECT_EQ(toolkit.HoverText(slot), L"");
  slot.SetEnabled(true);
  slot.SetToolTip(L"");
  EXPECT_EQ(toolkit.HoverText(slot), L"");
  EXPECT_TRUE(toolkit.toolTips.empty());
}

TEST_F(FakeToolkitTest, ArrayElementsStartWithoutATipAndTakeTheirsAway) {
  form->SetVisible(true);
  slot.SetToolTip(L"C:");
  Control* second = form->Load(L"DiskLabel", 1);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->ToolTip(), L"");
  second->SetVisible(true);
  second->SetToolTip(L"D:");
  EXPECT_EQ(toolkit.HoverText(*second), L"D:");
  form->Unload(L"DiskLabel", 1);
  EXPECT_EQ(toolkit.toolTips.size(), 1u);
  EXPECT_EQ(toolkit.toolTips.begin()->second, L"C:");
}

}  // namespace
}  // namespace vantrel::fake
