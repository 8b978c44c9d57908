// The run as the wizard starts it, meeting another copy's run and the end
// of the session.
#include <gtest/gtest.h>

#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

struct RunPageTest : Window {
  void SetUp() override {
    m.Disk(L'D', 80'000'000);
    m.Disk(L'E', 80'000'000);
    Begin();
  }
  // Runs `then` at the first turn of the window once D's work folder holds a file.
  void AtFirstWrite(std::function<void()> then) {
    m.Watch([this, then] { return !m.files.ListFiles(L"D:\\VNL_temp").empty() && (then(), true); });
  }
};

// Another copy of the program, perhaps of another user, is cleaning D: it
// holds the run lock and D's work folder, and has its template.
TEST_F(RunPageTest, AnotherCopysRunIsLeftAloneAndNoSecondRunStartsMeanwhile) {
  m.files.PutFile(L"D:\\VNL_temp\\bo0-theirs", "x");
  m.files.PutFile(kData + L"\\temp.xd", "theirs");
  m.system.machineLocks.insert(L"Vantrel.Run");
  auto theirFolder = m.files.Hold(L"D:\\VNL_temp");
  m.dialogs.shown.clear();
  Walk(L"D", f->modes.quick, f->method.spaces);
  m.toolkit.RunFor(10);
  EXPECT_EQ(m.Boxes(), std::vector<std::wstring>{Text(L"VERSION3", L"ANOTHER-RUN")});
  EXPECT_EQ(Page(), 5);
  EXPECT_TRUE(m.files.FileExists(L"D:\\VNL_temp\\bo0-theirs") && m.files.FileExists(kData + L"\\temp.xd"));
  EXPECT_EQ(LogText(), "");
  // Their run ends: ours may start, and begins with what they left.
  theirFolder.reset();
  m.system.machineLocks.clear();
  Next();
  m.toolkit.RunFor(100);
  EXPECT_EQ(LogText().substr(0, 2), "1|");
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp"));
  EXPECT_TRUE(m.system.machineLocks.empty());
}

// Windows ends the session during the run: the work of the disk in work
// goes before Windows hears yes, E is not begun, and nobody is asked.
TEST_F(RunPageTest, TheEndOfTheSessionStopsTheRunAndRemovesItsWorkBeforeAgreeing) {
  bool agreedWithTheFolderGone = false;
  AtFirstWrite([&] {
    m.dialogs.shown.clear();
    agreedWithTheFolderGone = f->ui.Close(kUnloadSessionEnding) && !m.files.FolderExists(L"D:\\VNL_temp");
  });
  Walk(L"DE", f->modes.full, f->method.spaces);
  m.toolkit.RunFor(100);
  EXPECT_TRUE(agreedWithTheFolderGone);
  EXPECT_TRUE(m.dialogs.shown.empty());
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
  EXPECT_EQ(LogText().substr(0, 2), "0|");
  EXPECT_EQ(LogText().find("|E|"), std::string::npos);
  EXPECT_FALSE(f->ui.Visible() || m.files.FolderExists(L"E:\\VNL_temp") || f->finish.soundRepeat.Enabled());
}

// Another program refuses, and Windows goes on with the session: the window
// comes back where it was; a run that the question stopped ends on the
// finish page, and the next run is not cut short for the session's end.
TEST_F(RunPageTest, ASessionEndThatWindowsCancelsBringsTheWindowBack) {
  f->ui.SetVisible(true);
  f->wizard.ShowPage(3);
  ASSERT_TRUE(f->ui.Close(kUnloadSessionEnding));
  f->ui.SessionEndCancelled();
  EXPECT_TRUE(f->ui.Visible() && Page() == 3);
  AtFirstWrite([&] {
    EXPECT_TRUE(f->ui.Close(kUnloadSessionEnding));
    f->ui.SessionEndCancelled();
  });
  Walk(L"DE", f->modes.quick, f->method.spaces);
  m.toolkit.RunFor(100);
  EXPECT_TRUE(f->ui.Visible() && Page() == 7);
  EXPECT_EQ(LogText().substr(0, 2), "0|");
  f->wizard.ShowPage(5);
  Next();
  m.toolkit.RunFor(100);
  EXPECT_EQ(LogText().substr(0, 2), "1|");
  // A window closed since by other means stays closed.
  f->ui.Close(kUnloadByProgram);
  f->ui.SessionEndCancelled();
  EXPECT_FALSE(f->ui.Visible());
}

}  // namespace
}  // namespace vantrel::test
