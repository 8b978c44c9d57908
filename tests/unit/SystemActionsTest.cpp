// What the program asks of the system around a run: the Recycle Bin,
// standby prevention, the shutdown countdown, the completion sound and the
// paging-file option.
#include <gtest/gtest.h>

#include "services/Checkpoint.h"
#include "system/CompletionSound.h"
#include "system/PagingFile.h"
#include "system/Shutdown.h"
#include "system/StandbyGuard.h"
#include "tests/unit/EngineMachine.h"

namespace vantrel::test {
namespace {

constexpr uint32_t kPowerMessage = 0x48, kPowerBroadcast = 0x218;
constexpr intptr_t kDeny = 0x424D5144;

// Whether the window now refuses a suspend query, as it does with the guard on mains.
bool Guarded(FakeMachine& m, Form& window) { return m.toolkit.Send(window, kPowerBroadcast, 0, 0) == kDeny; }

// Only suspend queries on mains power are refused; everything else gets the
// window's own answer (1). A second hook keeps the first one's procedure, so
// one removal gives the window its own answers back; a window not shown has
// no procedure, and trying leaves no guard that would keep the next one off.
TEST(StandbyGuard, RefusesSuspendQueriesOnMainsOnly) {
  FakeMachine m;
  Form window(L"Start", 1000, 1000), hidden(L"Other", 100, 100);
  window.SetVisible(true);
  HookStandbyGuard(hidden);
  HookStandbyGuard(window);
  const struct {
    uint8_t mains;
    uint32_t message;
    uintptr_t kind;
    intptr_t answer;
  } queries[] = {{mains::Online, kPowerBroadcast, 0, kDeny},
                 {mains::Online, kPowerMessage, 1, -1},
                 {mains::Online, kPowerBroadcast, 4, 1},
                 {mains::Online, kPowerMessage, 2, 1},
                 {mains::Online, 0x10, 0, 1},
                 {mains::Offline, kPowerBroadcast, 0, 1},
                 {mains::Offline, kPowerMessage, 1, 1},
                 {mains::Unknown, kPowerBroadcast, 0, 1}};
  for (const auto& q : queries) {
    m.power.mains = q.mains;
    EXPECT_EQ(m.toolkit.Send(window, q.message, q.kind, 0), q.answer) << q.message << " " << q.kind;
  }
  m.power.mains = mains::Online;
  HookStandbyGuard(window);
  UnhookStandbyGuard();
  EXPECT_FALSE(Guarded(m, window));
}

// The keep-awake request and the guard are in force at every turn of the
// window during a run that asks for them, and gone at its end, however it
// ends; the Recycle Bin is emptied before the disks only when asked, and a
// bin that reports a failure (an empty one does) stops nothing.
TEST_F(Engine, TheSystemStaysAwakeForTheRunAndIsLetGoOnEveryEnd) {
  Disk(L'D', 30'000'000);
  m.shell.emptyBinResult = false;
  const struct {
    const char* end;
    bool prevent, bin;
    const char* status;
  } runs[] = {{"completed", true, true, "1"},
              {"stopped", true, false, "0"},
              {"failed", true, false, "2"},
              {"standby allowed", false, false, "1"}};
  int requests = 0;
  for (const auto& r : runs) {
    SCOPED_TRACE(r.end);
    RunPlan plan = Plan(L"D", CleaningMode::FileRecords);
    plan.preventStandby = r.prevent;
    plan.emptyRecycleBin = r.bin;
    const int bins = m.shell.binEmptied;
    bool awakeThroughout = true, binFirst = false;
    view.stop = false;
    view.onYield = [&] {
      awakeThroughout &= m.power.awake == r.prevent && Guarded(m, view.window) == r.prevent;
      if (view.steps[0] == StepIcon::Current) binFirst = m.shell.binEmptied == bins + 1;
      if (view.steps[0] == StepIcon::Current && std::string(r.end) == "stopped") view.stop = true;
    };
    if (std::string(r.end) == "failed") m.files.faults.Fail(fake::FsOp::Volume, 1, FsFailure::Refused);
    Clean(plan);
    requests += r.prevent;
    EXPECT_EQ(Status(), r.status);
    EXPECT_TRUE(awakeThroughout && !m.power.awake && !Guarded(m, view.window));
    EXPECT_EQ(m.power.awakeRequests, requests);
    EXPECT_EQ(m.shell.binEmptied - bins, r.bin ? 1 : 0);
    EXPECT_EQ(binFirst, r.bin);
  }
}

// 20 down to 1 second, then the forced shutdown; a computer still running
// 15 ticks later shows the problem, kept for the next start's report.
TEST_F(Engine, TheCountdownShutsDownAfterZeroAndLaterReportsAComputerStillRunning) {
  const auto text = [](const wchar_t* key) { return LangText(L"INTERFACE", key); };
  ShutdownCountdown countdown;
  countdown.Start();
  for (int shown = 20; shown >= 1; --shown)
    EXPECT_EQ(countdown.Tick().label,
              text(L"YOURPCTURNOFF1") + L" " + std::to_wstring(shown) + L" " + text(L"SECONDS"));
  EXPECT_TRUE(m.power.exitRequests.empty());
  EXPECT_EQ(countdown.Tick().label, text(L"SHUTDOWN"));
  EXPECT_EQ(m.power.exitRequests, (std::vector<uint32_t>{5}));
  for (int tick = 1; tick <= 14; ++tick) EXPECT_FALSE(countdown.Tick().label) << tick;
  const ShutdownCountdown::Step last = countdown.Tick();
  EXPECT_TRUE(last.label == text(L"SHUTDOWNPROBLEM") && !last.goOn && m.power.exitRequests.size() == 1);
  EXPECT_NE(m.files.Contents(CheckpointFile()).find("SHUTDOWNPROBLEM"), std::string::npos);
}

TEST_F(Engine, TheCompletionSoundPlaysTwentyFiveTimesFromEachRestart) {
  CompletionSound sound;
  int plays = 1;
  while (sound.PlayCompletionSound()) ++plays;
  EXPECT_EQ(plays, 25);
  EXPECT_EQ(m.sound.played, std::vector<std::wstring>(25, kAppFolder + L"\\sound.wav"));
  EXPECT_FALSE(m.files.FileExists(CheckpointFile()));
  sound.Restart();
  EXPECT_TRUE(sound.PlayCompletionSound());
}

TEST_F(Engine, ThePagingFileOptionIsTheNumberOneAndOnlyAnAdministratorSetsIt) {
  const std::wstring key = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
  const wchar_t* name = L"ClearPageFileAtShutdown";
  m.registry.CreateKey(Hive::LocalMachine, key);
  const std::pair<RegValue, bool> values[] = {{DwordValue(1), true},
                                              {DwordValue(257), false},
                                              {StringValue(L"1"), true},
                                              {StringValue(L"yes"), false},
                                              {{regtype::Binary, {1, 0, 0, 0}}, false}};
  for (const auto& [value, set] : values) {
    m.registry.SetValue(Hive::LocalMachine, key, name, value);
    EXPECT_EQ(PagingFileClearedAtShutdown(), set);
  }
  EXPECT_TRUE(ChangePagingFileSetting(true));
  EXPECT_EQ(m.registry.Query(Hive::LocalMachine, key, name)->data, DwordValue(1).data);
  // A write the system refuses is no change, so the box can spring back.
  m.registry.faults.Fail(fake::FsOp::RegistrySet, 1, FsFailure::Refused);
  EXPECT_FALSE(ChangePagingFileSetting(false));
  EXPECT_TRUE(PagingFileClearedAtShutdown());
  Env().IsAdmin = false;
  EXPECT_FALSE(ChangePagingFileSetting(false));
  EXPECT_TRUE(PagingFileClearedAtShutdown());
}

}  // namespace
}  // namespace vantrel::test
