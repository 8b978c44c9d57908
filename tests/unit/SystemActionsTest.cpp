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

// Of the power messages only the suspend queries are refused (the oldest
// systems' own query too); others get the window's own answer (1). A second
// hook keeps the first one's procedure, so one removal gives the window its
// own answers back.
TEST(StandbyGuard, RefusesOnlySuspendQueriesAndComesOffWhole) {
  FakeMachine m;
  Form window(L"Start", 1000, 1000);
  window.SetVisible(true);
  m.power.mains = mains::Online;
  HookStandbyGuard(window);
  HookStandbyGuard(window);
  const std::tuple<uint32_t, uintptr_t, intptr_t> queries[] = {
      {kPowerBroadcast, 0, kDeny}, {kPowerMessage, 1, -1}, {kPowerBroadcast, 4, 1}, {kPowerMessage, 2, 1}, {0x10, 0, 1}};
  for (const auto& [message, kind, answer] : queries) EXPECT_EQ(m.toolkit.Send(window, message, kind, 0), answer) << message;
  UnhookStandbyGuard();
  EXPECT_FALSE(Guarded(m, window));
}

// The keep-awake request and the guard are in force at every turn of the
// window during a run that asks for them, and gone at its end, however it
// ends. The guard refuses a suspend query on mains only: a laptop whose
// battery runs low may still sleep. The Recycle Bin is emptied before the
// disks only when asked, and a bin that reports a failure (an empty one
// does) stops nothing.
TEST_F(Engine, TheSystemStaysAwakeForTheRunAndIsLetGoOnEveryEnd) {
  Disk(L'D', 30'000'000);
  m.shell.emptyBinResult = false;
  const std::tuple<std::string, bool, bool, const char*> runs[] = {{"completed", true, true, "1"},
                                                                   {"stopped", true, false, "0"},
                                                                   {"failed", true, false, "2"},
                                                                   {"standby allowed", false, false, "1"}};
  for (const auto& [end, prevent, bin, status] : runs) {
    SCOPED_TRACE(end);
    RunPlan plan = Plan(L"D", CleaningMode::FileRecords);
    plan.preventStandby = prevent;
    plan.emptyRecycleBin = bin;
    const int bins = m.shell.binEmptied;
    bool awakeThroughout = true, binFirst = false;
    view.stop = false;
    view.onYield = [&, prevent = prevent, end = end] {
      m.power.mains = m.power.mains == mains::Online ? mains::Offline : mains::Online;  // unplugged every other turn
      awakeThroughout &=
          m.power.awake == prevent && Guarded(m, view.window) == (prevent && m.power.mains == mains::Online);
      if (view.steps[0] == StepIcon::Current) binFirst = m.shell.binEmptied == bins + 1;
      if (view.steps[0] == StepIcon::Current && end == "stopped") view.stop = true;
    };
    if (end == "failed") m.files.faults.Fail(fake::FsOp::Volume, 1, FsFailure::Refused);
    Clean(plan);
    m.power.mains = mains::Online;
    EXPECT_EQ(Status(), status);
    EXPECT_TRUE(awakeThroughout && !m.power.awake && !Guarded(m, view.window));
    EXPECT_EQ(m.shell.binEmptied - bins, bin ? 1 : 0);
    EXPECT_EQ(binFirst, bin);
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
  while (sound.PlayCompletionSound()) continue;
  EXPECT_EQ(m.sound.played, std::vector<std::wstring>(25, kAppFolder + L"\\sound.wav"));
  EXPECT_FALSE(m.files.FileExists(CheckpointFile()));
  sound.Restart();
  EXPECT_TRUE(sound.PlayCompletionSound());
}

TEST_F(Engine, ThePagingFileOptionIsTheNumberOneAndOnlyAnAdministratorSetsIt) {
  const std::wstring key = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
  const wchar_t* name = L"ClearPageFileAtShutdown";
  m.registry.CreateKey(Hive::LocalMachine, key);
  // A string is read as a number; "yes" is no number (the start-up test shows it).
  const std::pair<RegValue, bool> values[] = {
      {DwordValue(257), false}, {StringValue(L"1"), true}, {{regtype::Binary, {1, 0, 0, 0}}, false}};
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
