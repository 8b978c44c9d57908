// What the program asks of the system around a run: standby prevention, the
// shutdown countdown, the Recycle Bin, the paging-file option and the sound.
#include <gtest/gtest.h>

#include "lang/Language.h"
#include "services/Checkpoint.h"
#include "system/CompletionSound.h"
#include "system/Shutdown.h"
#include "system/StandbyGuard.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

using fake::FsOp;

constexpr uint32_t kPowerMessage = 0x48, kPowerBroadcast = 0x218;
constexpr intptr_t kDeny = 0x424D5144;

// Whether the window now refuses a suspend query, as it does with the guard on mains.
bool Guarded(FakeMachine& m, Form& window) { return m.toolkit.Send(window, kPowerBroadcast, 0, 0) == kDeny; }

TEST(StandbyGuard, RefusesSuspendQueriesOnMainsOnlyAndPassesEverythingElse) {
  FakeMachine m;
  Form window(L"Start", 1000, 1000);
  window.SetVisible(true);
  m.toolkit.ownAnswer = 1;
  HookStandbyGuard(window);
  ASSERT_TRUE(Guarded(m, window));
  EXPECT_EQ(m.toolkit.Send(window, kPowerMessage, 1, 0), -1);
  // Other power events and other messages get the window's own answer.
  EXPECT_EQ(m.toolkit.Send(window, kPowerBroadcast, 4, 0), 1);
  EXPECT_EQ(m.toolkit.Send(window, kPowerMessage, 2, 0), 1);
  EXPECT_EQ(m.toolkit.Send(window, 0x10, 0, 0), 1);
  for (const uint8_t status : {mains::Offline, mains::Unknown}) {
    m.power.mains = status;
    EXPECT_EQ(m.toolkit.Send(window, kPowerBroadcast, 0, 0), 1) << int(status);
    EXPECT_EQ(m.toolkit.Send(window, kPowerMessage, 1, 0), 1) << int(status);
  }
  m.power.mains = mains::Online;

  // A second installation keeps the first one's window procedure, so one
  // removal gives the window its own answers back.
  HookStandbyGuard(window);
  UnhookStandbyGuard();
  EXPECT_EQ(m.toolkit.Send(window, kPowerBroadcast, 0, 0), 1);
  UnhookStandbyGuard();
  EXPECT_EQ(m.toolkit.Send(window, kPowerBroadcast, 0, 0), 1);

  // A window that is not shown has no procedure to replace, and trying
  // leaves no guard behind that would keep the next one off.
  Form hidden(L"Other", 100, 100);
  HookStandbyGuard(hidden);
  HookStandbyGuard(window);
  EXPECT_TRUE(Guarded(m, window));
  UnhookStandbyGuard();
  EXPECT_FALSE(Guarded(m, window));
}

// The keep-awake request is what holds a current system out of sleep: it is
// in force at every turn of the window during the run, and withdrawn at its
// end, however the run ends.
TEST_F(Engine, TheSystemStaysAwakeForTheRunAndIsLetGoOnEveryEnd) {
  Disk(L'D', 30'000'000);
  Disk(L'E', 30'000'000);
  bool asleepDuringRun = false, unguardedDuringRun = false;
  view.onYield = [&] {
    asleepDuringRun = asleepDuringRun || !m.power.awake;
    unguardedDuringRun = unguardedDuringRun || !Guarded(m, view.window);
  };
  auto clean = [&](bool prevent) {
    RunPlan plan;
    plan.letters = {L"D", L"E"};
    plan.cleaning = CleaningMode::FileRecords;
    plan.preventStandby = prevent;
    run = std::make_unique<vantrel::Run>(plan, view);
    StartRun(*run);
  };
  clean(true);
  EXPECT_EQ(view.rows[0].info, LangText(L"VERSION3", L"WORK-STATUS-1"));
  EXPECT_FALSE(asleepDuringRun);
  EXPECT_FALSE(unguardedDuringRun);
  EXPECT_FALSE(m.power.awake);
  EXPECT_FALSE(Guarded(m, view.window));

  // Stopped by the user in the middle of the first disk.
  int turns = 0;
  view.onYield = [&] {
    asleepDuringRun = asleepDuringRun || !m.power.awake;
    if (++turns == 5) view.stop = true;
  };
  clean(true);
  EXPECT_EQ(Field(Log()[0], 0), "0");
  EXPECT_FALSE(asleepDuringRun);
  EXPECT_FALSE(m.power.awake);
  EXPECT_FALSE(Guarded(m, view.window));

  // Both disks fail at their preparation.
  view.stop = false;
  view.onYield = nullptr;
  m.files.refuse = [](FsOp op, const std::wstring& path) { return op == FsOp::CreateFolder && path.size() > 3; };
  m.drives.Unplug(L"E");
  clean(true);
  EXPECT_EQ(Field(Log()[0], 0), "2");
  EXPECT_EQ(m.power.awakeRequests, 3);
  EXPECT_FALSE(m.power.awake);
  EXPECT_FALSE(Guarded(m, view.window));

  // A user who allows standby gets neither.
  clean(false);
  EXPECT_EQ(m.power.awakeRequests, 3);
}

TEST(ShutdownWindows, ForcesTheModesOfTheTableAndNothingElse) {
  FakeMachine m;
  for (const int mode : {0, 1, 2, 8, 3, -1}) ShutdownWindows(mode);
  EXPECT_TRUE(m.power.shutdownPrivilege);
  EXPECT_EQ(m.power.exitRequests, (std::vector<uint32_t>{4, 5, 7, 12}));
}

struct SystemActions : Window {
  // A run of D: started from the pages with the finish-page boxes set.
  void RunD(bool turnOff, bool sound = true) {
    m.Disk(L'D', 30'000'000);
    if (Ticked(f->run.sound) != sound) f->run.sound.Click();
    if (Ticked(f->run.turnOff) != turnOff) f->run.turnOff.Click();
    Walk(L"D", f->modes.quick, f->method.spaces);
    m.toolkit.RunFor(100);
    ASSERT_EQ(Page(), 7);
  }
  Timer& turnoff() { return f->finish.countdown; }
  Timer& playWav() { return f->finish.soundRepeat; }
  std::wstring Countdown() { return f->finish.shutdownNote.Caption(); }
  std::wstring Text(const wchar_t* key) { return LangText(L"INTERFACE", key); }
};

TEST_F(SystemActions, TheCountdownShowsTwentyToZeroThenShutsDownAndReportsAComputerStillRunning) {
  RunD(true);
  EXPECT_EQ(Countdown(), Text(L"INITIATINGSHUTDOWN"));
  ASSERT_TRUE(turnoff().Enabled());
  std::vector<std::wstring> labels;
  for (int tick = 1; tick <= 21; ++tick) {
    EXPECT_TRUE(m.power.exitRequests.empty()) << tick;
    turnoff().Tick();
    labels.push_back(Countdown());
  }
  EXPECT_EQ(labels.front(), Text(L"YOURPCTURNOFF1") + L" 20 " + Text(L"SECONDS"));
  EXPECT_EQ(labels[20 - 1], Text(L"YOURPCTURNOFF1") + L" 1 " + Text(L"SECONDS"));
  // The 21st tick shows 0, then the request goes out.
  EXPECT_EQ(labels.back(), Text(L"SHUTDOWN"));
  EXPECT_EQ(m.power.exitRequests, (std::vector<uint32_t>{5}));
  for (int tick = 1; tick <= 14; ++tick) turnoff().Tick();
  EXPECT_EQ(Countdown(), Text(L"SHUTDOWN"));
  EXPECT_TRUE(turnoff().Enabled());
  turnoff().Tick();
  EXPECT_EQ(Countdown(), Text(L"SHUTDOWNPROBLEM"));
  EXPECT_FALSE(turnoff().Enabled());
  EXPECT_EQ(m.power.exitRequests.size(), 1u);
  // Kept, so that the next start offers to report it.
  EXPECT_NE(m.files.Contents(CheckpointFile()).find("SHUTDOWNPROBLEM"), std::string::npos);
}

TEST_F(SystemActions, NextDuringTheCountdownBreaksItOffAndAStoppedRunNeverStartsIt) {
  RunD(true);
  m.toolkit.RunFor(16'050);  // the label shows 5 after the 16th tick
  EXPECT_EQ(Countdown(), Text(L"YOURPCTURNOFF1") + L" 5 " + Text(L"SECONDS"));
  Next();
  EXPECT_FALSE(turnoff().Enabled());
  m.toolkit.RunFor(30'000);
  EXPECT_TRUE(m.power.exitRequests.empty());

  StartMachine again;
  ASSERT_TRUE(again.Start());
  again.Disk(L'E', 30'000'000);
  again.form->wizard.ShowPage(2);
  again.form->disks.letters[1].Click();
  again.form->run.turnOff.Click();
  again.files.refuse = [&](FsOp op, const std::wstring&) {
    if (op == FsOp::Create) again.form->wizard.buttons.stop.Click();
    return false;
  };
  again.form->wizard.ShowPage(5);
  again.form->wizard.buttons.next.Click();
  again.toolkit.RunFor(100);
  ASSERT_EQ(again.form->wizard.CurrentPage(), 7);
  EXPECT_EQ(again.form->finish.shutdownNote.Caption(), L"");
  EXPECT_FALSE(again.form->finish.countdown.Enabled());
  again.toolkit.RunFor(30'000);
  EXPECT_TRUE(again.power.exitRequests.empty());
}

TEST_F(SystemActions, TheSoundPlaysTwentyFiveTimesUnlessAButtonIsClicked) {
  RunD(false);
  EXPECT_EQ(m.sound.played, std::vector<std::wstring>{kAppFolder + L"\\sound.wav"});
  EXPECT_TRUE(playWav().Enabled());
  m.toolkit.RunFor(4'900);
  EXPECT_EQ(m.sound.played.size(), 1u);
  m.toolkit.RunFor(200);
  EXPECT_EQ(m.sound.played.size(), 2u);
  m.toolkit.RunFor(200'000);
  EXPECT_EQ(m.sound.played.size(), 25u);
  EXPECT_FALSE(playWav().Enabled());
  EXPECT_FALSE(m.files.FileExists(CheckpointFile()));

  // A new run counts its plays afresh; Back stops the repeats.
  m.sound.played.clear();
  Back();
  f->wizard.ShowPage(5);
  Next();
  m.toolkit.RunFor(100);
  ASSERT_EQ(Page(), 7);
  m.toolkit.RunFor(10'000);
  EXPECT_EQ(m.sound.played.size(), 3u);
  Back();
  m.toolkit.RunFor(60'000);
  EXPECT_EQ(m.sound.played.size(), 3u);
}

TEST_F(SystemActions, NoSoundWhenUntickedAndOnePlayForAStoppedRun) {
  RunD(false, false);
  m.toolkit.RunFor(30'000);
  EXPECT_TRUE(m.sound.played.empty());

  f->run.sound.Click();
  m.files.refuse = [&](FsOp op, const std::wstring&) {
    if (op == FsOp::Create) f->wizard.buttons.stop.Click();
    return false;
  };
  f->wizard.ShowPage(5);
  Next();
  m.toolkit.RunFor(30'000);
  EXPECT_EQ(m.sound.played.size(), 1u);
  EXPECT_FALSE(playWav().Enabled());
}

TEST_F(SystemActions, TheBinIsEmptiedBeforeTheDisksOnlyWhenAsked) {
  RunD(false);
  EXPECT_EQ(m.shell.binEmptied, 0);

  f->method.emptyBin.Click();
  m.shell.emptyBinResult = false;  // an empty bin reports a failure: the run goes on
  bool diskBegun = false, emptiedBeforeDisk = false;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (op == FsOp::CreateFolder && path.rfind(L"D:", 0) == 0 && !diskBegun) {
      diskBegun = true;
      emptiedBeforeDisk = m.shell.binEmptied == 1;
    }
    return false;
  };
  f->wizard.ShowPage(5);
  Next();
  m.toolkit.RunFor(100);
  EXPECT_EQ(m.shell.binEmptied, 1);
  EXPECT_TRUE(diskBegun);
  EXPECT_TRUE(emptiedBeforeDisk);
  EXPECT_EQ(m.files.Contents(kData + L"\\log.txt").substr(0, 2), "1|");
}

const std::wstring kMemory = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

std::optional<RegValue> PagingValue(StartMachine& m) {
  return m.registry.Query(Hive::LocalMachine, kMemory, L"ClearPageFileAtShutdown");
}

TEST(PagingFileOption, AnAdministratorSetsAndClearsIt) {
  StartMachine m;
  m.registry.CreateKey(Hive::LocalMachine, kMemory);
  ASSERT_TRUE(m.Start());
  m.form->method.pagingFile.Click();
  EXPECT_EQ(PagingValue(m)->data, DwordValue(1).data);
  EXPECT_EQ(PagingValue(m)->type, regtype::Dword);
  m.form->method.pagingFile.Click();
  EXPECT_EQ(PagingValue(m)->data, DwordValue(0).data);
  EXPECT_TRUE(m.dialogs.shown.empty());
  EXPECT_FALSE(m.files.FileExists(CheckpointFile()));

  // Start-up ticks the box from the value 1.
  m.registry.SetValue(Hive::LocalMachine, kMemory, L"ClearPageFileAtShutdown", DwordValue(1));
  ASSERT_TRUE(m.Start());
  EXPECT_TRUE(Ticked(m.form->method.pagingFile));
  EXPECT_EQ(PagingValue(m)->data, DwordValue(1).data);

  // A write the system refuses leaves the box as the system holds it.
  m.registry.SetValue(Hive::LocalMachine, kMemory, L"ClearPageFileAtShutdown", DwordValue(0));
  ASSERT_TRUE(m.Start());
  m.registry.refuseWrite = [](Hive hive, const std::wstring&) { return hive == Hive::LocalMachine; };
  m.form->method.pagingFile.Click();
  EXPECT_FALSE(Ticked(m.form->method.pagingFile));
  EXPECT_EQ(PagingValue(m)->data, DwordValue(0).data);
}

// The box shows what the system does: ticked from the value 1 without a
// word at start, and back to that after the reason when clicked.
TEST(PagingFileOption, AnyoneElseSeesTheReasonOnClickAndTheBoxSpringsBack) {
  StartMachine m;
  m.registry.CreateKey(Hive::LocalMachine, kMemory);
  m.registry.SetValue(Hive::LocalMachine, kMemory, L"ClearPageFileAtShutdown", DwordValue(1));
  m.system.elevated = false;
  m.registry.refuseWrite = [](Hive hive, const std::wstring&) { return hive == Hive::LocalMachine; };
  ASSERT_TRUE(m.Start());
  const std::wstring reason = LangText(L"ERRORS", L"RUN-AS-ADMIN");
  EXPECT_TRUE(m.dialogs.shown.empty());
  EXPECT_TRUE(Ticked(m.form->method.pagingFile));
  m.form->method.pagingFile.Click();
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].text, reason);
  EXPECT_EQ(m.dialogs.shown[0].style & 0xF0, mb::Critical);
  EXPECT_TRUE(Ticked(m.form->method.pagingFile));
  EXPECT_EQ(PagingValue(m)->data, DwordValue(1).data);
}

}  // namespace
}  // namespace vantrel::test
