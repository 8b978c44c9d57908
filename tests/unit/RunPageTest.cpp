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
  EXPECT_TRUE(Page() == 5 && LogText().empty());
  EXPECT_TRUE(m.files.FileExists(L"D:\\VNL_temp\\bo0-theirs") && m.files.FileExists(kData + L"\\temp.xd"));
  // Their run ends: ours may start, and begins with what they left.
  theirFolder.reset();
  m.system.machineLocks.clear();
  Next();
  m.toolkit.RunFor(100);
  EXPECT_TRUE(LogText().starts_with("1|") && !m.files.FolderExists(L"D:\\VNL_temp") && m.system.machineLocks.empty());
}

// The fill tells its free space and moves the bar after each of hundreds of
// lines; the window draws both at its turns only (under Wine the bar draws
// itself on every change, a millisecond each), and no figure is left once
// the fill is over.
TEST_F(RunPageTest, TheFreeSpaceAndTheBarAreDrawnAtTheWindowsTurnsOnly) {
  Walk(L"D", f->modes.full, f->method.spaces);
  m.toolkit.RunFor(100);
  std::map<const Control*, int>& changes = m.toolkit.changes;
  EXPECT_TRUE(LogText().starts_with("1|") && f->run.freeBytes.Caption().empty() && changes[&f->run.freeBytes] < 50 &&
              changes[&f->run.progress] < 50) << changes[&f->run.freeBytes] << " " << changes[&f->run.progress];
}

// The taskbar button follows the whole run: its share never goes back and
// ends full, yellow while the Pause box is ticked, red from the disk that
// failed on, told only what changed, cleared at the end; and it flashes
// then when the user works in another window.
TEST_F(RunPageTest, TheTaskbarButtonFollowsTheRunAndFlashesAtItsEndWhenTheWindowIsBehind) {
  using enum TaskbarState;
  const struct {
    bool inFront, pause, dFull;  // a full D fails before its stages; E goes on
    std::vector<TaskbarState> states;
    int flashes;
    const char* log;
  } cases[] = {{false, true, false, {Normal, Paused, Normal, None}, 1, "1|"},
               {true, false, true, {Normal, Error, None}, 0, "1|"}};
  f->ui.SetVisible(true);
  for (const auto& c : cases) {
    m.toolkit.taskbar.clear();
    m.toolkit.flashes = 0;
    m.toolkit.front = c.inFront ? &f->ui : nullptr;
    m.files.capacity[L'D'] = c.dFull ? m.files.UsedOn(L'D') : 80'000'000;
    m.Watch([&, turns = 0]() mutable {  // paused for a while once D's work has begun
      if (!m.files.FolderExists(L"D:\\VNL_temp") || !c.pause) return !LogText().empty();
      if (++turns == 1 || turns == 20) f->run.pause.Click();
      return turns == 20;
    });
    if (&c == cases) Walk(L"DE", f->modes.quick, f->method.spaces);
    else f->wizard.ShowPage(5), Next();
    m.toolkit.RunFor(100);
    const auto& calls = m.toolkit.taskbar;
    std::vector<TaskbarState> states;
    for (std::size_t i = 0; i < calls.size(); ++i) {
      if (states.empty() || states.back() != calls[i].state) states.push_back(calls[i].state);
      EXPECT_TRUE(i == 0 || calls[i] != calls[i - 1]);
      EXPECT_TRUE(i == 0 || calls[i].state == None || calls[i].done >= calls[i - 1].done);
    }
    EXPECT_EQ(states, c.states);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2].done, calls[calls.size() - 2].total);
    EXPECT_EQ(m.toolkit.flashes, c.flashes);
    EXPECT_TRUE(LogText().starts_with(c.log)) << LogText();
  }
}

// Windows ends the session during the run: the work of the disk in work
// goes before Windows hears yes, E is not begun, and nobody is asked. When
// another program refuses and Windows goes on with the session, the window
// comes back where it was, and the next run is not cut short for the
// session's end.
TEST_F(RunPageTest, TheEndOfTheSessionTakesTheRunsWorkFirstAndACancelledEndBringsTheWindowBack) {
  f->ui.SetVisible(true);
  bool agreedWithTheFolderGone = false;
  m.Watch([&] {  // at the first turn of the window once D's work folder holds a file
    if (m.files.ListFiles(L"D:\\VNL_temp").empty()) return false;
    m.dialogs.shown.clear();
    agreedWithTheFolderGone = f->ui.Close(kUnloadSessionEnding) && !m.files.FolderExists(L"D:\\VNL_temp");
    return true;
  });
  Walk(L"DE", f->modes.full, f->method.spaces);
  m.toolkit.RunFor(100);
  EXPECT_TRUE(agreedWithTheFolderGone && m.dialogs.shown.empty() && m.files.UsedOn(L'D') == 0);
  EXPECT_TRUE(LogText().starts_with("0|") && LogText().find("|E|") == std::string::npos);
  EXPECT_FALSE(f->ui.Visible() || m.files.FolderExists(L"E:\\VNL_temp") || f->finish.soundRepeat.Enabled());
  f->ui.SessionEndCancelled();
  EXPECT_TRUE(f->ui.Visible() && Page() == 7);
  f->wizard.ShowPage(5);
  Next();
  m.toolkit.RunFor(100);
  EXPECT_TRUE(LogText().starts_with("1|"));
  // A window closed since by other means stays closed.
  f->ui.Close(kUnloadByProgram);
  f->ui.SessionEndCancelled();
  EXPECT_FALSE(f->ui.Visible());
}

}  // namespace
}  // namespace vantrel::test
