// A run as the user sees it: what a completed disk leaves (nothing but its
// record), how many name files a disk gets, the shape of the fill, Stop and
// Pause, and the status a failure in each step ends in.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "engine/Estimate.h"
#include "engine/FillPatterns.h"
#include "engine/NameFiles.h"
#include "engine/StageRunner.h"
#include "services/Settings.h"
#include "tests/unit/EngineMachine.h"

namespace vantrel::test {
namespace {

using fake::FsOp;

TEST_F(Engine, ACompletedDiskIsLoggedShownAndLeavesNothing) {
  Disk(L'D', 60'000'000);
  WriteSetting(kProgramSettings, L"Statistics", L"Disk123456-cleanway1-ntfs1", L"1000");
  view.shutdown = true;
  Clean(L"D", CleaningMode::FileRecords);
  ASSERT_TRUE(view.finished);
  const auto log = Log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(Field(log[0], 0), "1");
  EXPECT_TRUE(log[0].ends_with("|D|Data|NTFS|123456|1|1")) << log[0];
  const StepIcon shown[] = {StepIcon::Ok, StepIcon::NotInMode, StepIcon::NotInMode, StepIcon::Ok};
  EXPECT_TRUE(std::equal(shown, shown + 4, view.steps));
  EXPECT_EQ(view.rows[0].disk, L"D:");
  EXPECT_EQ(view.rows[0].info, LangText(L"VERSION3", L"WORK-STATUS-1"));
  EXPECT_TRUE(view.rows[0].ok);
  EXPECT_EQ(view.texts[RunText::Estimate].rfind(LangText(L"VERSION3", L"ESTIMATED") + L" ", 0), 0u);
  EXPECT_TRUE(view.countdown && view.soundRepeats && !view.stopButton);
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
  for (const std::wstring& gone : {std::wstring(L"D:\\VNL_temp"), kData + L"\\fileerror.txt", kData + L"\\temp.log"})
    EXPECT_FALSE(m.files.FileExists(gone) || m.files.FolderExists(gone)) << std::string(gone.begin(), gone.end());
}

// Name files: a tenth of a thousandth of the disk, a hundredth of that on a
// small stick, none below 50 MB free; 903 bytes on NTFS, empty elsewhere,
// and on FAT in folders that each stay within 65,536 entries.
TEST(NameFiles, ByDiskKindSizeAndFileSystem) {
  const struct {
    uint64_t capacity;
    int type;
    const wchar_t* fs;
    int made;
    uint64_t each;
  } disks[] = {{60'000'000, drivetype::Fixed, L"NTFS", 6001, 903},
               {80'000'000, drivetype::Fixed, L"FAT32", 8001, 0},
               {52'000'000, drivetype::Removable, L"NTFS", 53, 903},
               {45'000'000, drivetype::Fixed, L"NTFS", 0, 0}};
  for (const auto& d : disks) {
    EngineRig r;
    r.Disk(L'D', d.capacity, d.type, d.fs);
    uint64_t used = 0;
    r.AtStage(3, [&] { used = r.m.files.UsedOn(L'D'); });
    r.Clean(L"D", CleaningMode::FileRecords);
    EXPECT_EQ(r.Status(), "1") << d.capacity;
    EXPECT_EQ(r.run->NameFilesMade, d.made) << d.capacity;
    EXPECT_EQ(used, d.made * d.each) << d.capacity;
    EXPECT_FALSE(r.m.files.FolderExists(L"D:\\VNL_temp"));
  }
  EXPECT_EQ(PlannedNameFiles(500'000'000'000ull, NtfsMode::Normal, false, 0), 20'000);
  EXPECT_EQ(PlannedNameFiles(500'000'000'000ull, NtfsMode::Thorough, false, 0), 70'000);
  EXPECT_EQ(PlannedNameFiles(8'000'000'000ull, NtfsMode::Deepest, true, 40'000'000'000ull), 150'000);
  EXPECT_EQ(PlannedNameFiles(5'000, NtfsMode::Normal, false, 0), 1);
}

// The fill as the free space it shows falls: 'C' a copy of the 50 MB
// template, 'c' of the 5 MB one of a stick, 'L' long lines, 'S' short ones. Copies only of a whole template while one fits with room to spare,
// long lines down to 100,000 bytes, short ones down to 3,000.
TEST(Fill, CopiesThenLongThenShortLinesDownToAFewKilobytes) {
  const struct {
    uint64_t capacity;
    int type;
    const wchar_t* fs;
    bool windowsDriveFull;  // the template stops short of its size
    const char* shape;
  } disks[] = {{20'000'000, drivetype::Removable, L"FAT32", false, "cccLS"},
               {40'000'000, drivetype::Fixed, L"NTFS", false, "SLS"},
               {70'000'000, drivetype::Fixed, L"NTFS", false, "CLS"},
               {60'000'000, drivetype::Removable, L"NTFS", true, "LS"},
               // No FAT32 file passes 4 GiB: the long lines go on in fw1-2.
               {4'400'000'000ull, drivetype::Fixed, L"FAT32", true, "LS"}};
  for (const auto& d : disks) {
    EngineRig r;
    r.Disk(L'D', d.capacity, d.type, d.fs);
    r.m.files.sizesOnly = {L"D:", kData + L"\\temp.xd"};
    if (d.windowsDriveFull) r.m.files.capacity[L'C'] = r.m.files.UsedOn(L'C') + 400'000;
    uint64_t before = 0;
    bool secondLineFile = false;
    r.view.onYield = [&] {
      if (r.view.steps[2] == StepIcon::Pending) before = d.capacity - r.m.files.UsedOn(L'D');
      if (r.view.steps[3] == StepIcon::Current) secondLineFile |= r.m.files.FileExists(L"D:\\VNL_temp\\fw1-2");
    };
    r.Clean(L"D", CleaningMode::FreeSpace);
    std::string shape;
    for (uint64_t free : r.view.freeShown) {
      const uint64_t unit = before - free;
      const char c = unit == 50'100'000 ? 'C' : unit == 5'010'000 ? 'c' : unit == 51'002 ? 'L' : unit == 3'002 ? 'S' : '?';
      if (shape.empty() || c != shape.back() || c == 'C' || c == 'c') shape += c;
      before = free;
    }
    EXPECT_EQ(shape, d.shape) << d.capacity;
    EXPECT_LE(r.view.freeShown.empty() ? 0 : r.view.freeShown.back(), 3000u);
    EXPECT_EQ(r.Status(), "1");
    EXPECT_EQ(secondLineFile, d.capacity > 4'294'967'295ull);
    EXPECT_EQ(r.m.files.UsedOn(L'D'), 0u);
    EXPECT_FALSE(r.m.files.FileExists(kData + L"\\temp.xd"));
  }
}

// Stop at any moment: nothing more is written, every disk of the run is
// visited and logged as stopped, each is given back, and no countdown starts.
TEST(Stop, EndsTheWritingAndStillRemovesEverything) {
  const struct {
    const char* when;
    int stage;
    std::function<bool(EngineRig&)> now;
  } moments[] = {
      {"among the name files", 0, [](EngineRig& r) { return r.run->NameFilesMade >= 17; }},
      {"while the template grows", 1, [](EngineRig& r) { return r.m.files.FileExists(kData + L"\\temp.xd"); }},
      {"in the middle of a copy", 2,
       [](EngineRig& r) { return r.m.files.UsedOn(L'D') % 5'010'000 > 1'000'000 && r.run->CopiesMade > 0; }},
  };
  for (const auto& at : moments) {
    SCOPED_TRACE(at.when);
    EngineRig r;
    r.Disk(L'D', 52'000'000, drivetype::Removable);
    r.Disk(L'E', 52'000'000, drivetype::Removable);
    r.m.files.sizesOnly = {L"D:", L"E:", kData + L"\\temp.xd"};
    r.m.files.faults.msPerCall = 10;
    r.view.shutdown = true;
    uint64_t usedAtStop = 0, usedAtRemoval = 0;
    r.view.onYield = [&] {
      if (!r.view.stop && r.view.steps[at.stage] == StepIcon::Current && at.now(r)) {
        r.view.stop = true;
        usedAtStop = r.m.files.UsedOn(L'D');
      }
      if (r.view.stop && r.view.steps[3] == StepIcon::Current && !usedAtRemoval) usedAtRemoval = r.m.files.UsedOn(L'D');
    };
    r.Clean(L"DE", CleaningMode::FreeSpace);
    ASSERT_TRUE(r.view.stop);
    EXPECT_EQ(usedAtRemoval, usedAtStop);
    const auto log = r.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(r.Field(log[0], 0) + r.Field(log[1], 0), "00");
    EXPECT_EQ(r.view.steps[3], StepIcon::Ok);
    EXPECT_TRUE(r.view.finished && !r.view.countdown && !r.view.soundRepeats);
    EXPECT_EQ(r.m.files.UsedOn(L'D') + r.m.files.UsedOn(L'E'), 0u);
    EXPECT_FALSE(r.m.files.FileExists(kData + L"\\temp.xd"));
  }
}

// A failure in a step ends the disk in that step's status, never in
// success; stage 4 still gives the disk back unless its own removal failed.
TEST(Failure, EndsInTheStatusOfItsStep) {
  enum Kind { Fails, FailsFromNowOn, Throws, ThrowsAfter, ReadOnlyFileOfSomeoneElse };
  const struct {
    const char* what;
    int stage;  // -1: before the run
    Kind kind;
    FsOp op;
    const char* status;
  } failures[] = {
      {"the drive's facts cannot be read", -1, Fails, FsOp::Volume, "2"},
      {"the work folder cannot be held", -1, Fails, FsOp::Hold, "2"},
      {"free space unknown in stage 1", 0, Fails, FsOp::FreeSpace, "4"},
      {"a name file does not close", 0, Fails, FsOp::Close, "4"},
      {"a fault inside stage 1", 0, Throws, {}, "4"},
      {"a fault after stage 1", 0, ThrowsAfter, {}, "4"},
      {"the template cannot be written", 1, Fails, FsOp::Write, "5"},
      {"free space of the Windows drive unknown", 1, Fails, FsOp::FreeSpace, "5"},
      {"a fault inside stage 2", 1, Throws, {}, "5"},
      {"a copy cannot be made", 2, Fails, FsOp::Create, "3"},
      {"free space unknown in stage 3", 2, Fails, FsOp::FreeSpace, "3"},
      {"a fault inside stage 3", 2, Throws, {}, "3"},
      {"the disk goes away during the removal", 3, FailsFromNowOn, FsOp::RemoveFile, "6"},
      {"a fault inside stage 4", 3, Throws, {}, "6"},
      {"a read-only file of someone else's", 0, ReadOnlyFileOfSomeoneElse, {}, "6"},
  };
  for (const auto& f : failures) {
    SCOPED_TRACE(f.what);
    EngineRig r;
    r.Disk(L'D', 52'000'000, drivetype::Removable);
    r.m.files.sizesOnly = {L"D:\\VNL_temp", kData + L"\\temp.xd"};
    r.m.files.faults.msPerCall = 10;
    auto act = [&] {
      if (f.kind == Fails) r.m.files.faults.Fail(f.op, 1, FsFailure::Refused);
      if (f.kind == FailsFromNowOn) r.m.files.faults.FailFrom(f.op, 1, FsFailure::Gone);
      if (f.kind == ReadOnlyFileOfSomeoneElse) r.m.files.PutFile(L"D:\\VNL_temp\\theirs", "x", true);
      if (f.kind == Throws || f.kind == ThrowsAfter) throw std::runtime_error(f.what);
    };
    if (f.stage < 0) act();
    int turns = 0;
    r.view.onYield = [&] {
      const StepIcon at = f.stage < 0 ? StepIcon::Pending : r.view.steps[f.stage];
      // Throws inside the stage's work, at its second turn of the window.
      if ((f.kind == ThrowsAfter ? at == StepIcon::Ok : at == StepIcon::Current) &&
          ++turns == (f.kind == Throws ? 2 : 1))
        act();
    };
    r.Clean(L"D", CleaningMode::FreeSpace);
    EXPECT_EQ(r.Status(), f.status);
    EXPECT_TRUE(r.view.finished);
    EXPECT_FALSE(r.view.rows[0].ok);
    EXPECT_TRUE(f.stage < 0 || f.stage == 3 || f.kind > Throws || r.view.steps[f.stage] == StepIcon::Error);
    EXPECT_EQ(r.view.steps[3], f.stage < 0 ? StepIcon::Error : StepIcon::Ok);
    // Given back, except what a failed removal could not take.
    EXPECT_TRUE(f.stage < 0 || std::string(f.status) == "6" || !r.m.files.FolderExists(L"D:\\VNL_temp"));
    EXPECT_TRUE(f.kind != ReadOnlyFileOfSomeoneElse ||
                r.m.files.ListFiles(L"D:\\VNL_temp") == std::vector<std::wstring>{L"theirs"});
    EXPECT_FALSE(r.m.files.FileExists(kData + L"\\temp.xd"));
  }
}

// Stage 4 deletes the files the stages made by their names: a folder of
// thousands of names is never read, only one that holds what someone else
// put there. A listing that fails in stage 4 leaves only their file.
TEST_F(Engine, StageFourRemovesItsOwnFilesByName) {
  Disk(L'D', 60'000'000);
  view.onYield = [&, listingFails = false]() mutable {
    if (view.steps[0] == StepIcon::Current && !m.files.FileExists(L"D:\\VNL_temp\\theirs"))
      m.files.PutFile(L"D:\\VNL_temp\\theirs", "x");
    if (view.steps[3] == StepIcon::Current && !std::exchange(listingFails, true))
      m.files.faults.FailFrom(FsOp::List, 1, FsFailure::Refused);
  };
  Clean(L"D", CleaningMode::FileRecords);
  m.files.faults.Clear();
  EXPECT_EQ(Status(), "6");
  EXPECT_EQ(m.files.ListFiles(L"D:\\VNL_temp"), std::vector<std::wstring>{L"theirs"});
}

TEST_F(Engine, PausedTimeIsNotCountedAndTheWindowAnswersThroughout) {
  Disk(L'D', 52'000'000, drivetype::Removable);
  m.files.sizesOnly = {L"D:", kData + L"\\temp.xd"};
  m.files.faults.msPerCall = 3;
  bool pauseShown = false;
  view.onYield = [&, until = uint64_t{0}]() mutable {
    if (view.steps[2] == StepIcon::Current && !until) until = m.clock.now + 5000;
    view.paused = m.clock.now < until;
    pauseShown |= view.steps[2] == StepIcon::Paused;
  };
  const uint64_t before = m.clock.now;
  Clean(L"D", CleaningMode::FreeSpace);
  EXPECT_EQ(Status(), "1");
  EXPECT_TRUE(pauseShown);
  EXPECT_GE(run->PausedMs, 5000);
  EXPECT_LE(std::stoll(Field(Log()[0], 3)), static_cast<long long>((m.clock.now - before) / 1000) - 5);
  EXPECT_LE(view.longestWithoutYieldMs, 100u);
}

TEST_F(Engine, TheEstimateComesFromTheLastThroughput) {
  DiskFacts disk;
  disk.letter = L"D";
  disk.serial = 99;
  disk.availableSpace = 3'600'000;
  const wchar_t* key = L"Disk99-cleanway1-ntfs1";
  WriteSetting(kProgramSettings, L"Statistics", key, L"1000");
  EXPECT_EQ(EstimateText({}, disk),
            LangText(L"VERSION3", L"ESTIMATED") + L" " + *m.clock.FormatDateTime(m.clock.NowSeconds() + 3600));
  for (const wchar_t* odd : {L"0", L"abc", L"-5", L"0.0000000001"}) {
    WriteSetting(kProgramSettings, L"Statistics", key, odd);
    EXPECT_EQ(EstimateText({}, disk), L"") << odd;
  }
  Disk(L'D', 10'000'000);
  m.files.PutFile(L"D:\\keep", std::string(5'000'000, 'x'));
  StoreThroughput({}, disk, 10);
  EXPECT_EQ(ReadSetting(kProgramSettings, L"Statistics", key), L"500000");
}

TEST_F(Engine, EachMethodFillsWithItsOwnCharacters) {
  const std::pair<OverwriteMethod, std::string> methods[] = {
      {OverwriteMethod::RandomCharacters, "ABCDEFGHIJKLMNOPQRSTUVWXY"}, {OverwriteMethod::Gutmann, "ABCDEFGHIJKLMNOPQRSTUVWXY"},
      {OverwriteMethod::Spaces, " "}, {OverwriteMethod::RandomDigits, "0123456789"}, {OverwriteMethod::Dod522022, "0123456789"}};
  for (const auto& [method, alphabet] : methods) {
    std::string drawn = FillText(method, 5000);
    std::sort(drawn.begin(), drawn.end());
    drawn.erase(std::unique(drawn.begin(), drawn.end()), drawn.end());
    EXPECT_EQ(drawn, alphabet);
  }
  m.clock.scriptedRandom = {0.9999999};
  EXPECT_EQ(FillChar(OverwriteMethod::RandomCharacters), 'Y');
}

TEST(SecondTick, MovesOnlyPastTheIntervalAndAcrossTheMinute) {
  FakeMachine m;
  auto at = [&](int second) {
    m.clock.now = static_cast<uint64_t>(second) * 1000;
    return SecondTick(1);
  };
  at(0);
  at(30);
  const std::pair<int, bool> ticks[] = {{29, false}, {31, false}, {32, true}, {30, true}, {59, true}, {60, true}};
  for (const auto& [second, moves] : ticks) EXPECT_EQ(at(second), moves) << second;
}

}  // namespace
}  // namespace vantrel::test
