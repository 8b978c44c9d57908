#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "disks/WorkFiles.h"
#include "engine/Estimate.h"
#include "engine/FillText.h"
#include "engine/NameFiles.h"
#include "engine/RunDriver.h"
#include "engine/StageContext.h"
#include "runlog/RunLog.h"
#include "services/Environment.h"
#include "tests/unit/EngineMachine.h"

namespace vantrel::test {
namespace {

using fake::FakeDrive;
using fake::FsOp;

TEST_F(Engine, QuickCleaningOfAnNtfsDiskWritesNameFilesAndRemovesThemAll) {
  Disk(L'D', 60'000'000);
  Disk(L'E', 45'000'000);
  std::map<wchar_t, std::size_t> made, largest;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    // Seen as each file goes, so its size is what was written into it.
    if (op == FsOp::RemoveFile && path.find(L"\\bo") != std::wstring::npos) {
      ++made[path[0]];
      largest[path[0]] = std::max(largest[path[0]], m.files.Contents(path).size());
    }
    return false;
  };
  Clean(L"DE", CleaningMode::FileRecords);
  ASSERT_TRUE(view.finished);
  // 60 MB: 6,000 planned, files 0 to 6,000, and 5.4 MB of them leave more than 50 MB free.
  EXPECT_EQ(made[L'D'], 6001u);
  EXPECT_EQ(largest[L'D'], 903u);
  // Below 50 MB free no name file is made, and that is no failure.
  EXPECT_EQ(made[L'E'], 0u);
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp"));
  const auto log = Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(Field(log[0], 0), "1");
  EXPECT_EQ(Field(log[0], 4), "E");
  EXPECT_EQ(Field(log[1], 0), "1");
  EXPECT_EQ(Field(log[1], 4), "D");
  EXPECT_EQ(Field(log[1], 5), "Data");
  EXPECT_EQ(Field(log[1], 6), "NTFS");
  EXPECT_EQ(Field(log[1], 7), "123456");
  EXPECT_EQ(Field(log[1], 8), "1");
  EXPECT_EQ(Field(log[1], 9), "1");
  EXPECT_EQ(Step(0), StepIcon::Ok);
  EXPECT_EQ(Step(1), StepIcon::NotInMode);
  EXPECT_EQ(Step(2), StepIcon::NotInMode);
  EXPECT_EQ(Step(3), StepIcon::Ok);
  EXPECT_EQ(view.rows.size(), 2u);
  EXPECT_EQ(view.rows[0].info, LangText(L"VERSION3", L"WORK-STATUS-1"));
  EXPECT_EQ(view.rows[0].disk, L"D:");
  EXPECT_EQ(view.rows[0].ok, true);
  EXPECT_FALSE(m.files.FileExists(kData + L"\\fileerror.txt"));
  EXPECT_FALSE(m.files.FileExists(kData + L"\\temp.log"));
}

TEST_F(Engine, NameFilesAre903BytesOnNtfsAndEmptyElsewhere) {
  Disk(L'D', 80'000'000);
  Disk(L'E', 80'000'000, drivetype::Fixed, L"FAT32");
  std::map<wchar_t, std::size_t> sizes, counts;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (op == FsOp::RemoveFile && path.find(L"\\bo") != std::wstring::npos) {
      sizes[path[0]] = m.files.Contents(path).size();
      ++counts[path[0]];
    }
    return false;
  };
  Clean(L"DE", CleaningMode::FileRecords);
  EXPECT_EQ(counts[L'D'], 8001u);  // 80,000,000 / 10 / 1000 files, numbers 0 to 8,000
  EXPECT_EQ(sizes[L'D'], 903u);
  EXPECT_EQ(counts[L'E'], 8001u);
  EXPECT_EQ(sizes[L'E'], 0u);
  EXPECT_EQ(NameFileName(7).size(), 108u);
  EXPECT_EQ(NameFileName(17).size(), 109u);
  // Newest first.
  const auto log = Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(Field(log[0], 4), "E");
  EXPECT_EQ(Field(log[1], 4), "D");
}

TEST(NameFileCount, ByDiskSizeModeAndKind) {
  EXPECT_EQ(PlannedNameFiles(500'000'000'000ull, NtfsMode::Normal, false, 0), 20'000);
  EXPECT_EQ(PlannedNameFiles(500'000'000'000ull, NtfsMode::Thorough, false, 0), 70'000);
  EXPECT_EQ(PlannedNameFiles(8'000'000'000ull, NtfsMode::Deepest, true, 7'000'000'000ull), 1'500);
  EXPECT_EQ(PlannedNameFiles(8'000'000'000ull, NtfsMode::Deepest, true, 40'000'000'000ull), 150'000);
  EXPECT_EQ(PlannedNameFiles(5'000, NtfsMode::Normal, false, 0), 1);
}

TEST_F(Engine, StopDuringStageOneStillRemovesEverythingAndLogsStopped) {
  Disk(L'D', 80'000'000);
  Disk(L'E', 80'000'000);
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (op == FsOp::Write && path.find(L"\\bo17-") != std::wstring::npos) view.stop = true;
    return false;
  };
  int32_t seenCount = -1;
  m.files.refuse = [&, inner = m.files.refuse](FsOp op, const std::wstring& path) {
    if (op == FsOp::RemoveFile && path.find(L"D:\\VNL_temp\\bo0-") == 0) seenCount = run->WorkFileCount;
    return inner(op, path);
  };
  Clean(L"DE", CleaningMode::FreeSpace);
  EXPECT_EQ(seenCount, 17);
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp"));
  const auto log = Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(Field(log[0], 0), "0");  // E: still visited, and stopped
  EXPECT_EQ(Field(log[1], 0), "0");
  EXPECT_EQ(Step(1), StepIcon::Error);
  EXPECT_EQ(Step(3), StepIcon::Ok);
  EXPECT_FALSE(m.files.FolderExists(L"E:\\VNL_temp"));
  EXPECT_FALSE(view.soundRepeats);
  EXPECT_FALSE(view.countdown);
}

TEST_F(Engine, FullCleaningFillsTheFreeSpaceDownToAFewKilobytesAndGivesItBack) {
  Disk(L'D', 20'000'000, drivetype::Removable, L"FAT32");
  uint64_t leastFree = UINT64_MAX;
  std::size_t copies = 0;
  std::string templateText;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (op == FsOp::Create && path.find(L"\\000-ws") != std::wstring::npos) ++copies;
    if (op == FsOp::RemoveFile && path.find(L"000-ws1-") != std::wstring::npos) templateText = m.files.Contents(path);
    if (op == FsOp::RemoveFile && path.find(L"D:\\VNL_temp") == 0)
      leastFree = std::min<uint64_t>(leastFree, 20'000'000 - m.files.UsedOn(L'D'));
    return false;
  };
  Clean(L"D", CleaningMode::FreeSpace);
  // Copies of the 5,010,000-byte template while more than 5,300,000 bytes are free.
  EXPECT_EQ(copies, 3u);
  EXPECT_EQ(templateText.size(), 5'010'000u);
  EXPECT_EQ(templateText.find_first_not_of(" \r\n"), std::string::npos);
  EXPECT_LE(leastFree, 3000u);
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
  EXPECT_FALSE(m.files.FileExists(kData + L"\\temp.xd"));
  EXPECT_EQ(Field(Log()[0], 0), "1");
  EXPECT_EQ(Step(2), StepIcon::Ok);
}

TEST_F(Engine, AFailureInAStageSkipsTheRestButNotTheRemoval) {
  Disk(L'D', 80'000'000);
  m.files.refuse = [](FsOp op, const std::wstring& path) {
    return op == FsOp::Write && path.find(L"\\bo5-") != std::wstring::npos;
  };
  Clean(L"D", CleaningMode::FreeSpace);
  EXPECT_EQ(Field(Log()[0], 0), "4");
  EXPECT_EQ(Step(0), StepIcon::Error);
  EXPECT_EQ(Step(1), StepIcon::Error);
  EXPECT_EQ(Step(3), StepIcon::Ok);
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
  EXPECT_EQ(view.rows[0].ok, false);
}

TEST_F(Engine, AFileThatResistsRemovalLeavesTheFolderAndStatusSix) {
  Disk(L'D', 80'000'000);
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (op == FsOp::Write && path.find(L"\\bo3-") != std::wstring::npos) m.files.PutFile(L"D:\\VNL_temp\\locked", "x", true);
    return false;
  };
  Clean(L"D", CleaningMode::FileRecords);
  EXPECT_EQ(Field(Log()[0], 0), "6");
  EXPECT_TRUE(m.files.FileExists(L"D:\\VNL_temp\\locked"));
  // Stage 4 stops at the locked file; the final delete still takes every
  // file that can go, so the disk gets its space back.
  EXPECT_EQ(m.files.ListFiles(L"D:\\VNL_temp"), std::vector<std::wstring>{L"locked"});
  EXPECT_EQ(Step(3), StepIcon::Ok);
}

// The template lies in the data folder, not on the disk, but it is the
// disk's work all the same: one that stays fails the disk.
TEST_F(Engine, ATemplateThatResistsRemovalFailsTheDiskWithStatusSix) {
  Disk(L'D', 20'000'000, drivetype::Removable);
  const std::wstring templateFile = kData + L"\\temp.xd";
  bool locked = false;
  view.onYield = [&] {
    if (locked || Step(2) != StepIcon::Current) return;
    m.files.PutFile(templateFile, m.files.Contents(templateFile), true);
    locked = true;
  };
  Clean(L"D", CleaningMode::FreeSpace);
  EXPECT_TRUE(locked);
  EXPECT_EQ(Field(Log()[0], 0), "6");
  EXPECT_FALSE(view.rows[0].ok);
  EXPECT_TRUE(m.files.FileExists(templateFile));
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
}

TEST_F(Engine, ALetterWithoutADriveFailsPreparationAndTheRunGoesOn) {
  Disk(L'E', 60'000'000);
  m.drives.Unplug(L"E");  // gone between the review and the run
  Clean(L"E", CleaningMode::FileRecords);
  ASSERT_TRUE(view.finished);
  const auto log = Log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(Field(log[0], 0), "2");
  EXPECT_EQ(Field(log[0], 4), "E");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Step(i), StepIcon::Error);
  EXPECT_EQ(view.rows[0].info, LangText(L"VERSION3", L"WORK-STATUS-2"));
}

TEST_F(Engine, PausedTimeIsNotCounted) {
  Disk(L'D', 80'000'000);
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (op == FsOp::Write && path.find(L"\\bo2-") != std::wstring::npos) {
      view.paused = true;
      const uint64_t until = m.clock.now + 5000;
      view.onYield = [&, until] { view.paused = m.clock.now < until; };
    }
    return false;
  };
  const uint64_t before = m.clock.now;
  Clean(L"D", CleaningMode::FileRecords);
  const uint64_t wall = (m.clock.now - before) / 1000;
  EXPECT_GE(run->PausedMs, 5000);
  EXPECT_LE(std::stoll(Field(Log()[0], 3)), static_cast<long long>(wall) - 5);
}

TEST(SecondTick, MovesOnlyPastTheInterval) {
  FakeMachine m;
  m.clock.epochSeconds = 1796634000;  // on a whole minute
  auto at = [&](int second) {
    m.clock.now = static_cast<uint64_t>(second) * 1000;
    return SecondTick(1);
  };
  at(30);
  at(0);
  ASSERT_TRUE(at(30));  // the last tick is at second 30
  EXPECT_FALSE(at(29));
  EXPECT_FALSE(at(31));
  EXPECT_TRUE(at(32));
  at(0);
  at(30);
  EXPECT_TRUE(at(28));
  at(59);
  EXPECT_TRUE(at(60));  // the second wraps to 0
}

TEST_F(Engine, EstimateFromAnEarlierFigure) {
  DiskFacts disk;
  disk.letter = L"D";
  disk.serial = 99;
  disk.availableSpace = 3'600'000;
  const wchar_t* key = L"Disk99-cleanway1-ntfs1";
  const RunPlan plan;
  WriteSetting(kProgramSettings, L"Statistics", key, L"1000");
  const std::wstring at = *m.clock.FormatDateTime(m.clock.NowSeconds() + 3600);
  EXPECT_EQ(EstimateText(plan, disk), LangText(L"VERSION3", L"ESTIMATED") + L" " + at);
  for (const wchar_t* odd : {L"0", L"abc", L"", L"-5", L"0.0000000001"}) {
    WriteSetting(kProgramSettings, L"Statistics", key, odd);
    EXPECT_EQ(EstimateText(plan, disk), L"") << odd;
  }
  Disk(L'D', 10'000'000);
  m.clock.now += 10'000;
  m.files.PutFile(L"D:\\keep", std::string(5'000'000, 'x'));
  StoreThroughput(plan, disk, 10);
  EXPECT_EQ(ReadSetting(kProgramSettings, L"Statistics", key), L"500000");
}

TEST_F(Engine, FillCharactersOfEachMethod) {
  auto draws = [&](OverwriteMethod method, std::deque<double> randoms) {
    m.clock.scriptedRandom = std::move(randoms);
    return FillChar(method);
  };
  EXPECT_EQ(draws(OverwriteMethod::RandomCharacters, {0.999}), 'Y');
  EXPECT_EQ(draws(OverwriteMethod::Gutmann, {0.0}), 'A');
  EXPECT_EQ(draws(OverwriteMethod::RandomDigits, {0.999}), '9');
  EXPECT_EQ(draws(OverwriteMethod::Dod522022, {0.0}), '0');
  EXPECT_EQ(draws(OverwriteMethod::Spaces, {}), ' ');
  // Every letter from "A" to "Y" is drawn, and never "Z".
  std::string letters = FillText(OverwriteMethod::RandomCharacters, 20'000);
  std::sort(letters.begin(), letters.end());
  letters.erase(std::unique(letters.begin(), letters.end()), letters.end());
  EXPECT_EQ(letters, "ABCDEFGHIJKLMNOPQRSTUVWXY");
  const std::string digits = FillText(OverwriteMethod::Dod522022, 1000);
  EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos);
}


TEST_F(Engine, BelowOneTemplateOfFreeSpaceTheFillStartsWithShortLines) {
  Disk(L'D', 40'000'000);
  std::string phases;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (path.find(L"D:\\VNL_temp\\") != 0) return false;
    if (op == FsOp::Create && path.find(L"\\000-ws") != std::wstring::npos) phases += 'C';
    if (op == FsOp::Append && path.ends_with(L"fw1")) phases += 'L';
    if (op == FsOp::Append && path.ends_with(L"fw2")) phases += 'S';
    return false;
  };
  Clean(L"D", CleaningMode::FreeSpace);
  ASSERT_FALSE(phases.empty());
  // One short line, long lines down to 100,000 free, then short lines.
  EXPECT_EQ(phases.find('C'), std::string::npos);
  EXPECT_EQ(phases[0], 'S');
  const auto lastLong = phases.rfind('L');
  EXPECT_EQ(phases.find('S', 1), lastLong + 1);
  EXPECT_EQ(phases.substr(1, lastLong).find('S'), std::string::npos);
  EXPECT_EQ(Field(Log()[0], 5), "Data");
}

TEST_F(Engine, AShortTemplateIsNotCopiedSoALargeDiskFillsWithAFewFiles) {
  m.files.capacity[L'C'] = m.files.UsedOn(L'C') + 400'000;
  Disk(L'D', 150'000'000);
  std::size_t templateSize = 0, copies = 0, workFiles = 0;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (path.find(L"D:\\VNL_temp\\fw") == 0 && templateSize == 0)
      templateSize = m.files.Contents(kData + L"\\temp.xd").size();
    if (op == FsOp::RemoveFile && path.find(L"D:\\VNL_temp\\bo") == 0 && workFiles == 0)
      workFiles = m.files.ListFiles(L"D:\\VNL_temp").size();
    // Copies of a 1002-byte template would number about 86,000 here.
    return op == FsOp::Create && path.find(L"\\000-ws") != std::wstring::npos && ++copies > 1000;
  };
  Clean(L"D", CleaningMode::FreeSpace);
  // The template stops growing below 500,000 bytes free on the Windows drive.
  EXPECT_EQ(templateSize, 1002u);
  EXPECT_EQ(copies, 0u);
  // 15,001 name files and the two line files.
  EXPECT_EQ(workFiles, 15'003u);
  EXPECT_EQ(Field(Log()[0], 0), "1");
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
}

TEST_F(Engine, ALaterFailureOverwritesAnEarlierOneAndAnEmptyVolumeNameStaysEmpty) {
  FakeDrive d{L"D"};
  d.volume = {L"NTFS", L"", 5};
  m.drives.Plug(d);
  m.files.AddDrive(L'D');
  m.files.capacity[L'D'] = 80'000'000;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (op == FsOp::Write && path.find(L"\\bo5-") != std::wstring::npos) {
      m.files.PutFile(L"D:\\VNL_temp\\locked", "x", true);
      return true;
    }
    return false;
  };
  Clean(L"D", CleaningMode::FreeSpace);
  const std::string record = Log()[0];
  EXPECT_EQ(Field(record, 0), "6");
  EXPECT_NE(record.find("|D||NTFS|5|2|1"), std::string::npos) << record;
}


// Every file operation takes a few milliseconds here, as on a slow stick;
// the run must still give the window its turn, in every stage and wait.
TEST_F(Engine, TheWindowGetsItsTurnThroughoutARunAndStopCutsACopyShort) {
  Disk(L'D', 200'000'000);
  m.files.refuse = [&](FsOp, const std::wstring&) {
    m.clock.now += 3;
    return false;
  };
  Clean(L"D", CleaningMode::FreeSpace);
  EXPECT_EQ(Field(Log()[0], 0), "1");
  EXPECT_GT(view.yields, 1000);
  EXPECT_LE(view.longestWithoutYieldMs, 100u);

  // Stop pressed in the middle of a 50 MB template copy ends it there.
  std::size_t copied = 0, atStop = 0;
  view.onYield = [&] {
    const std::wstring copy = L"D:\\VNL_temp\\000-ws1-012345678901234567890123456789";
    if (!view.stop && m.files.FileExists(copy) && m.files.Contents(copy).size() > 10'000'000) {
      view.stop = true;
      atStop = m.files.Contents(copy).size();
    }
  };
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    m.clock.now += 3;
    if (op == FsOp::RemoveFile && path.find(L"\\000-ws1-") != std::wstring::npos) copied = m.files.Contents(path).size();
    return false;
  };
  Clean(L"D", CleaningMode::FreeSpace);
  EXPECT_EQ(Field(Log()[0], 0), "0");
  EXPECT_GT(atStop, 10'000'000u);
  EXPECT_EQ(copied, atStop);
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
}


// Stage 4 deletes the files the stages made by their names: the folder is
// read only once it holds what someone else put there, never while it holds
// thousands of names.
TEST_F(Engine, StageFourReadsTheFolderOnlyOnceItsOwnFilesAreGone) {
  Disk(L'D', 200'000'000);
  const std::wstring folder = L"D:\\VNL_temp";
  std::set<std::wstring> own;
  int mostWhenRead = -1;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (op == FsOp::Create && path.find(folder + L"\\") == 0) own.insert(path);
    if (op == FsOp::RemoveFile) own.erase(path);
    if (op == FsOp::List && path == folder) mostWhenRead = std::max(mostWhenRead, static_cast<int>(own.size()));
    // Someone else's file, put there while the run works, goes too.
    if (op == FsOp::Create && path.find(L"\\bo5-") != std::wstring::npos) m.files.PutFile(folder + L"\\theirs", "x");
    return false;
  };
  Clean(L"D", CleaningMode::FreeSpace);
  EXPECT_EQ(Field(Log()[0], 0), "1");
  EXPECT_FALSE(m.files.FolderExists(folder));
  EXPECT_EQ(mostWhenRead, 0);
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
}

}  // namespace
}  // namespace vantrel::test
