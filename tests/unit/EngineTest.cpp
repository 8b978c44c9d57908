// A run as the user sees it: what a completed disk leaves (nothing but its
// record), how many name files a disk gets, the shape of the fill, Stop and
// Pause, and the status a failure in each step ends in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <stdexcept>

#include "engine/Estimate.h"
#include "disks/WorkFiles.h"
#include "engine/NameFiles.h"
#include "engine/Passes.h"
#include "services/Settings.h"
#include "tests/unit/EngineMachine.h"

namespace vantrel::test {
namespace {

using fake::FsOp;

// The disk takes 0.9 s across a change of second, besides a pause of 5 s:
// it is logged as one second, its estimate came from the throughput stored
// before, and the free space it leaves per second is kept for the next.
TEST_F(Engine, ACompletedDiskIsLoggedWithoutItsPauseShownAndLeavesNothingButTheUsersFile) {
  Disk(L'D', 60'000'000);
  m.files.PutFile(L"D:\\keep", std::string(5'000'000, 'x'));
  WriteSetting(kProgramSettings, L"Statistics", L"Disk123456-cleanway1-ntfs1", L"1000");
  view.shutdown = true;
  m.clock.now = 1100;
  const int64_t start = m.clock.NowSeconds();
  bool pauseShown = false;
  view.onYield = [&, until = uint64_t{0}]() mutable {
    if (view.steps[0] == StepIcon::Current && !until) until = m.clock.now + 5000;
    view.paused = m.clock.now < until;
    pauseShown |= view.steps[0] == StepIcon::Paused;
  };
  Clean(L"D", CleaningMode::FileRecords);
  const auto log = Log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(Field(log[0], 0) + "|" + Field(log[0], 3), "1|1");
  EXPECT_TRUE(log[0].ends_with("|D|Data|NTFS|123456|1|1")) << log[0];
  EXPECT_TRUE(pauseShown && run->PausedMs >= 5000);
  EXPECT_EQ(view.texts[RunText::Estimate],
            LangText(L"VERSION3", L"ESTIMATED") + L" " + *m.clock.FormatDateTime(start + 55'000));
  EXPECT_EQ(ReadSetting(kProgramSettings, L"Statistics", L"Disk123456-cleanway1-ntfs1"), L"55000000");
  const StepIcon shown[] = {StepIcon::Ok, StepIcon::NotInMode, StepIcon::NotInMode, StepIcon::Ok};
  EXPECT_TRUE(std::equal(shown, shown + 4, view.steps));
  EXPECT_TRUE(view.rows[0].disk == L"D:" && view.rows[0].info == LangText(L"VERSION3", L"WORK-STATUS-1") &&
              view.rows[0].ok);
  EXPECT_TRUE(view.finished && view.countdown && view.soundRepeats && !view.stopButton);
  EXPECT_EQ(m.files.UsedOn(L'D'), 5'000'000u);
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp") || m.files.FileExists(kData + L"\\fileerror.txt"));
}

// Each kind of disk: its name files (a hundred-thousandth of the disk, a
// hundredth of that on a small stick, none below 50 MB free; 903 bytes on
// NTFS, empty elsewhere), then its fill as the free space shown falls: 'C'
// a copy of the 50 MB template, 'c' of the 5 MB one of a stick, 'L' long
// lines, 'S' short ones. Copies only of a whole template with room to
// spare, long lines down to 100,000 bytes, short ones down to 3,000, no
// FAT32 file beyond 4 GiB. The free space is asked after each copy, after
// 64 MiB of lines, and after every line only within a few megabytes of a
// threshold.
TEST(Disks, GetTheirNameFilesAndTheirWholeFill) {
  // A Windows drive nearly full stops the template short of its size.
  const struct {
    uint64_t capacity;
    int type;
    const wchar_t* fs;
    bool windowsDriveFull;
    int nameFiles;
    uint64_t each;
    const char* fill;
  } disks[] = {{20'000'000, drivetype::Removable, L"FAT32", false, 0, 0, "cccLS"},
               {40'000'000, drivetype::Fixed, L"NTFS", false, 0, 0, "SLS"},
               {70'000'000, drivetype::Fixed, L"NTFS", false, 7001, 903, "CLS"},
               {80'000'000, drivetype::Fixed, L"FAT32", false, 8001, 0, "CLS"},
               {60'000'000, drivetype::Removable, L"NTFS", true, 61, 903, "LS"},
               {4'400'000'000ull, drivetype::Fixed, L"FAT32", true, 20'001, 0, "LS"}};
  const std::map<uint64_t, char> units = {{50'100'000, 'C'}, {5'010'000, 'c'}, {51'002, 'L'}, {3'002, 'S'}};
  for (const auto& d : disks) {
    EngineRig r;
    r.Disk(L'D', d.capacity, d.type, d.fs);
    r.m.files.sizesOnly = {L"D:", kData + L"\\temp.xd"};
    if (d.windowsDriveFull) r.m.files.capacity[L'C'] = r.m.files.UsedOn(L'C') + 400'000;
    uint64_t before = 0, nameBytes = UINT64_MAX, asked = 0;
    bool secondLineFile = false;
    r.view.onYield = [&] {
      if (r.view.steps[1] == StepIcon::Current) nameBytes = std::min(nameBytes, r.m.files.UsedOn(L'D'));
      if (r.view.steps[2] == StepIcon::Pending)
        before = d.capacity - r.m.files.UsedOn(L'D'), asked = r.m.files.faults.Calls(FsOp::FreeSpace);
      if (r.view.steps[3] == StepIcon::Current) secondLineFile |= r.m.files.FileExists(L"D:\\VNL_temp\\fw1-2");
    };
    r.Clean(L"D", CleaningMode::FreeSpace);
    std::string fill;
    for (uint64_t free : r.view.freeShown) {
      const auto unit = units.find(std::exchange(before, free) - free);
      const char c = unit == units.end() ? '?' : unit->second;
      if (fill.empty() || c != fill.back() || c == 'C' || c == 'c') fill += c;
    }
    EXPECT_EQ(r.Status(), "1") << d.capacity;
    EXPECT_EQ(r.run->NameFilesMade, d.nameFiles) << d.capacity;
    EXPECT_EQ(nameBytes, d.nameFiles * d.each) << d.capacity;
    EXPECT_EQ(fill, d.fill) << d.capacity;
    EXPECT_LE(r.m.files.faults.Calls(FsOp::FreeSpace) - asked, 80 + d.capacity / (64 << 20)) << d.capacity;
    EXPECT_LE(r.view.freeShown.empty() ? 0 : r.view.freeShown.back(), 3000u);
    EXPECT_EQ(secondLineFile, d.capacity > 4'294'967'295ull);
    EXPECT_EQ(r.m.files.UsedOn(L'D'), 0u);
  }
  EXPECT_EQ(PlannedNameFiles(5'000, NtfsMode::Normal, false, 0), 1);  // a tiny disk still gets one
}

// The name files go into held subfolders of a thousand each, on every file
// system, and stay there for stage 4 when stage 1 ends early: after a stop,
// or when a subfolder cannot be made or held. The disk is given back in
// every case.
TEST(NameFiles, GoIntoFoldersOfAThousandThatStageFourRemovesAfterAStopOrAFailure) {
  const struct {
    const char* what;
    bool stop;
    FsOp refused;
    const char* status;
  } cases[] = {{"stop after 2,500 files", true, {}, "0"},
               {"the third subfolder cannot be made", false, FsOp::CreateFolder, "4"},
               {"the third subfolder cannot be held", false, FsOp::Hold, "4"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EngineRig r;
    r.Disk(L'D', 400'000'000);
    r.m.files.faults.msPerCall = 10;
    std::vector<std::size_t> perFolder;
    std::size_t atTop = 0;
    r.view.onYield = [&, armed = false]() mutable {
      if (r.view.steps[0] == StepIcon::Current && !std::exchange(armed, true) && !c.stop)
        r.m.files.faults.Fail(c.refused, 3, FsFailure::Refused);
      if (c.stop && r.run->NameFilesMade >= 2500) r.view.stop = true;
      if (r.view.steps[3] != StepIcon::Current || !perFolder.empty()) return;
      for (const std::wstring& sub : r.m.files.ListFolders(L"D:\\VNL_temp"))
        perFolder.push_back(r.m.files.ListFiles(L"D:\\VNL_temp\\" + sub).size());
      atTop = r.m.files.ListFiles(L"D:\\VNL_temp").size();
    };
    r.Clean(L"D", CleaningMode::FileRecords);
    EXPECT_EQ(r.Status(), c.status);
    const int made = r.run->NameFilesMade;
    EXPECT_TRUE(c.stop ? made >= 2500 && made < 3000 : made == 2000) << made;
    // The third subfolder is there unless its making was refused.
    EXPECT_EQ(perFolder.size(), c.refused == FsOp::CreateFolder ? 2u : 3u);
    EXPECT_EQ(std::accumulate(perFolder.begin(), perFolder.end(), std::size_t{0}), static_cast<std::size_t>(made));
    EXPECT_EQ(atTop, 0u);
    EXPECT_TRUE(perFolder.empty() || *std::max_element(perFolder.begin(), perFolder.end()) == 1000);
    EXPECT_FALSE(r.m.files.FolderExists(L"D:\\VNL_temp") || r.m.files.UsedOn(L'D'));
  }
}

// An NTFS name file of 903 bytes takes a whole cluster, which may be 2 MiB:
// the files still stop at the floor of 50 MB, which the disk keeps.
TEST(NameFiles, StopAtTheFloorOnADiskOfLargeClusters) {
  EngineRig r;
  r.Disk(L'D', 200ull << 21);
  r.m.files.clusterBytes[L'D'] = 2 << 20;
  r.Clean(L"D", CleaningMode::FileRecords);
  EXPECT_EQ(r.Status(), "1");
  EXPECT_TRUE(r.run->NameFilesMade >= 170 && r.run->NameFilesMade <= 177) << r.run->NameFilesMade;
}

// Stop or a failure at any step: after Stop nothing more than the name file
// in hand is written; the disk ends in the status of the step that failed
// and never in success; stage 4 still gives it back unless its own removal
// failed, and removes its own files by their names (a folder of thousands
// of names is never read), so that a listing that fails leaves only what
// someone else put there; and the run goes on to the next disk and the
// finish.
TEST(Interruption, EndsTheDiskInItsOwnStatusAndTheRunGoesOn) {
  enum Kind { Stop, Fails, Throws, ThrowsAfter, FileOfSomeoneElse };
  const struct {
    const char* what;
    int stage;
    Kind kind;
    FsOp op;
    const char* status;
  } cases[] = {
      // stage -1: before the run
      {"stop among the name files", 0, Stop, {}, "0"},
      {"stop while the template grows", 1, Stop, {}, "0"},
      {"stop in the middle of a copy", 2, Stop, {}, "0"},
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
      {"the disk goes away during the removal", 3, Fails, FsOp::RemoveFile, "6"},
      {"a fault inside stage 4", 3, Throws, {}, "6"},
      {"a file of someone else's and a listing that fails", 3, FileOfSomeoneElse, FsOp::List, "6"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EngineRig r;
    r.Disk(L'D', 52'000'000, drivetype::Removable);
    r.Disk(L'E', 52'000'000, drivetype::Removable);
    r.m.files.sizesOnly = {L"D:", L"E:", kData + L"\\temp.xd"};
    r.m.files.faults.msPerCall = 10;
    r.view.shutdown = true;
    uint64_t usedAtStop = 0, usedAtRemoval = 0;
    bool removing = false;
    StepIcon shown = StepIcon::Pending;  // the stage's icon at D's removal
    auto act = [&] {
      if (c.kind == Stop) r.view.stop = true, usedAtStop = r.m.files.UsedOn(L'D');
      if (c.kind == Fails) r.m.files.faults.Fail(c.op, 1, FsFailure::Gone);
      if (c.kind == FileOfSomeoneElse)
        r.m.files.PutFile(L"D:\\VNL_temp\\theirs", "x"), r.m.files.faults.FailFrom(c.op, 1, FsFailure::Refused);
      if (c.kind == Throws || c.kind == ThrowsAfter) throw std::runtime_error(c.what);
    };
    if (c.stage < 0) act();
    // At the stage's first turn of the window, before its work; a fault
    // inside the work at the second, Stop at the third.
    const int turn = c.kind == Stop ? 3 : c.kind == Throws ? 2 : 1;
    int turns = 0;
    r.view.onYield = [&] {
      if (r.view.texts[RunText::Disk] == L"E") r.m.files.faults.Clear();  // E's work meets no fault
      const StepIcon at = c.stage < 0 ? StepIcon::Pending : r.view.steps[c.stage];
      if ((c.kind == ThrowsAfter ? at == StepIcon::Ok : at == StepIcon::Current) && ++turns == turn) act();
      if (r.view.steps[3] == StepIcon::Current && !std::exchange(removing, true))
        usedAtRemoval = r.m.files.UsedOn(L'D'), shown = r.view.steps[std::max(c.stage, 0)];
    };
    r.Clean(L"DE", CleaningMode::FreeSpace);
    const auto log = r.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(r.Field(log[1], 0), c.status);
    EXPECT_EQ(r.Field(log[0], 0), c.kind == Stop ? "0" : "1");
    EXPECT_TRUE(r.view.finished && !r.view.rows[0].ok && r.view.countdown == (c.kind != Stop));
    EXPECT_LE(r.view.longestWithoutYieldMs, 250u);  // the window answers throughout
    EXPECT_TRUE(c.kind != Stop || usedAtRemoval - usedAtStop <= 903) << usedAtRemoval - usedAtStop;
    EXPECT_TRUE(c.stage < 0 || c.stage == 3 || c.kind > Throws || shown == StepIcon::Error);
    // Given back, except what a failed removal could not take.
    EXPECT_TRUE(c.stage < 0 || c.stage == 3 || !r.m.files.FolderExists(L"D:\\VNL_temp"));
    EXPECT_TRUE(c.kind != FileOfSomeoneElse ||
                r.m.files.ListFiles(L"D:\\VNL_temp") == std::vector<std::wstring>{L"theirs"});
    EXPECT_FALSE(r.m.files.FileExists(kData + L"\\temp.xd") || r.m.files.FolderExists(L"E:\\VNL_temp"));
  }
}

// A template that resists removal after the fill fails the disk with status
// 6, while the disk itself is given back.
TEST_F(Engine, ATemplateThatResistsRemovalFailsTheDiskWithStatusSix) {
  Disk(L'D', 20'000'000, drivetype::Removable);
  const std::wstring templateFile = kData + L"\\temp.xd";
  view.onYield = [&, locked = false]() mutable {
    if (locked || view.steps[2] != StepIcon::Current) return;  // while the fill runs
    m.files.PutFile(templateFile, m.files.Contents(templateFile), true);
    locked = true;
  };
  Clean(L"D", CleaningMode::FreeSpace);
  EXPECT_EQ(Status(), "6");
  EXPECT_TRUE(m.files.FileExists(templateFile) && !view.rows[0].ok && m.files.UsedOn(L'D') == 0);
}

// A stored figure that is no positive number, or one that puts the end
// beyond a century, gives no estimate; a folder-names time that is no time
// adds nothing.
TEST_F(Engine, AnOddStoredFigureGivesNoEstimate) {
  const DiskFacts disk{L"D", L"NTFS", false, 0, 3'600'000, L"", 99};
  for (const wchar_t* odd : {L"0", L"abc", L"-5", L"0.0000000001"}) {
    WriteSetting(kProgramSettings, L"Statistics", L"Disk99-cleanway1-ntfs1", odd);
    EXPECT_EQ(EstimateText({}, disk), L"") << odd;
  }
  WriteSetting(kProgramSettings, L"Statistics", L"Disk99-cleanway1-ntfs1", L"1000");
  RunPlan names;
  names.rewriteFolderNames = true;
  for (const wchar_t* odd : {L"-60", L"abc", L"-1e300"}) {
    WriteSetting(kProgramSettings, L"Statistics", L"Disk99-foldernames", odd);
    EXPECT_EQ(EstimateText(names, disk), EstimateText({}, disk)) << odd;
  }
}

// A unit of 1 or 3 bytes the head of a landing repeats, in hex; "?" for
// random bytes.
std::string PassOf(const std::string& head) {
  for (std::size_t unit : {1u, 3u}) {
    bool repeats = true;
    for (std::size_t i = unit; i < head.size(); ++i) repeats &= head[i] == head[i - unit];
    if (!repeats) continue;
    char hex[7] = {};
    for (std::size_t i = 0; i < unit; ++i) std::snprintf(hex + 2 * i, 3, "%02X", head[i] & 0xFF);
    return hex;
  }
  return "?";
}

// What the disk saw of a name file, of a template copy and of a line file:
// each pass of the method carried to the disk on its own (a cache would
// merge passes that are not), in the published order, the last one read
// back; the single-pass methods write none, their copies being the
// template's bytes written from memory (the template is not opened again);
// the row and the estimate count them. Stop in the middle of the passes, a
// work file that cannot be written again, a last pass the disk lost
// although it answered that it kept it: never completed, the loss in its
// own status, the disk given back.
TEST(Passes, ReachTheDiskOneByOneAndTheLastIsReadBackWhileASinglePassCopiesFromMemory) {
  constexpr uint64_t kStop = 999;
  const struct {
    OverwriteMethod method;
    FsOp op;
    uint64_t call;  // of the fault; 0: none
    const char *status, *passes;  // passes: what the disk saw of each file
  } cases[] = {
      {OverwriteMethod::Spaces, FsOp::Land, 0, "1", ""},
      {OverwriteMethod::Dod522022, FsOp::Land, 0, "1", "00 FF ? "},
      {OverwriteMethod::Gutmann, FsOp::Land, 0, "1",
       "? ? ? ? 55 AA 924924 492492 249249 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF 924924 492492 249249 "
       "6DB6DB B6DB6D DB6DB6 ? ? ? ? "},
      {OverwriteMethod::Dod522022, FsOp::Land, kStop, "0", nullptr},
      {OverwriteMethod::Dod522022, FsOp::Land, 6, "7", nullptr},  // the second file's last pass
      {OverwriteMethod::Dod522022, FsOp::Rewrite, 2, "3", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.status) + (c.passes ? c.passes : ""));
    EngineRig r;
    r.Disk(L'D', 52'000'000, drivetype::Removable);
    RunPlan plan = r.Plan(L"D", CleaningMode::FreeSpace);
    plan.method = c.method;
    if (c.call && c.call != kStop) r.m.files.faults.Fail(c.op, c.call, FsFailure::Refused);
    r.m.files.faults.msPerCall = 10;
    std::string made, copy;  // the template, and the first copy as stage 4 finds it
    uint64_t opened = 0;     // during stage 3
    r.view.onYield = [&, turns = 0]() mutable {
      if (c.call == kStop && r.m.files.faults.Calls(FsOp::Land) > 0 && ++turns == 3) r.view.stop = true;
      if (r.view.steps[2] == StepIcon::Current && made.empty())
        made = r.m.files.Contents(kData + L"\\temp.xd"), opened = r.m.files.faults.Calls(FsOp::OpenRead);
      if (r.view.steps[3] == StepIcon::Current && copy.empty())
        copy = r.m.files.Contents(L"D:\\VNL_temp\\c0\\" + TemplateCopyName(1)), opened -= r.m.files.faults.Calls(FsOp::OpenRead);
    };
    r.Clean(plan);
    const std::size_t passes = PassesOf(c.method).size();
    std::wstring row = LangText(L"VERSION3", L"WORK-STATUS-" + std::wstring(1, c.status[0]));
    if (c.passes && passes) row += L" - " + LangText(L"VERSION3", L"PASSES-DONE") + L" " + std::to_wstring(passes);
    EXPECT_EQ(r.view.rows[0].info, row);
    EXPECT_EQ(r.m.files.UsedOn(L'D'), 0u);
    if (!c.passes) continue;
    EXPECT_TRUE(passes || (made.size() == 5'010'000 && copy == made && opened == 0)) << made.size() << " " << opened;
    for (const std::wstring& file : {L"n0\\" + NameFileName(0), L"c0\\" + TemplateCopyName(1), std::wstring(L"fw1")}) {
      std::string seen;
      for (const std::string& head : r.m.files.Landings(L"D:\\VNL_temp\\" + file)) seen += PassOf(head) + " ";
      EXPECT_EQ(seen, c.passes);
    }
    WriteSetting(kProgramSettings, L"Statistics", L"Disk99-cleanway2-ntfs1", L"1000");
    const auto at = r.m.clock.FormatDateTime(r.m.clock.NowSeconds() + 3 * (passes ? passes + 2 : 1));
    EXPECT_EQ(EstimateText(plan, {L"D", L"NTFS", false, 0, 3'000, L"", 99}),
              LangText(L"VERSION3", L"ESTIMATED") + L" " + *at);
    EXPECT_EQ(WorkFactor({{}, CleaningMode::FileRecords, NtfsMode::Normal, c.method}), 1);  // no passes, no fill
  }
}

}  // namespace
}  // namespace vantrel::test
