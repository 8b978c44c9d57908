// The engine's three promises under hostile conditions: it never touches
// what is not its own (links), it always gives the disk back, and it never
// reports a failure as success.
#include <gtest/gtest.h>

#include <stdexcept>

#include "disks/LeftoverFolders.h"
#include "engine/NameFiles.h"
#include "tests/unit/EngineMachine.h"

namespace vantrel::test {
namespace {

using fake::FsOp;

// The user's own files on a drive, and a check that they are unchanged.
void PutUserFiles(FakeMachine& m, const std::wstring& folder) {
  for (int i = 1; i <= 5; ++i) m.files.PutFile(folder + L"\\letter" + std::to_wstring(i) + L".txt", "mine");
}
void ExpectUserFiles(FakeMachine& m, const std::wstring& folder) {
  ASSERT_EQ(m.files.ListFiles(folder).size(), 5u) << folder;
  for (int i = 1; i <= 5; ++i)
    EXPECT_EQ(m.files.Contents(folder + L"\\letter" + std::to_wstring(i) + L".txt"), "mine");
}

TEST_F(Engine, LeftoverFoldersLoseTheirLinksButNeverWhatTheLinksPointTo) {
  Disk(L'D', 80'000'000);
  Disk(L'E', 80'000'000);
  PutUserFiles(m, L"D:\\Users\\Documents");
  PutUserFiles(m, L"E:\\Photos");
  m.files.PutFile(L"D:\\VNL_temp\\bo1-x.$$$", "");
  m.files.PutLink(L"D:\\VNL_temp\\escape", L"D:\\Users\\Documents");
  m.files.PutLink(L"D:\\VNL_temp\\sub\\deeper", L"D:\\Users");
  m.files.PutLink(L"D:\\VNL_temp\\one", L"D:\\Users\\Documents\\letter1.txt", false);
  // A work folder that is itself a link.
  m.files.PutLink(L"E:\\VNL_temp", L"E:\\Photos");
  m.dialogs.shown.clear();
  RemoveLeftoverWorkFolders();
  ExpectUserFiles(m, L"D:\\Users\\Documents");
  ExpectUserFiles(m, L"E:\\Photos");
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp"));
  EXPECT_FALSE(m.files.IsLink(L"E:\\VNL_temp"));
  EXPECT_FALSE(m.files.FolderExists(L"E:\\VNL_temp"));
  ASSERT_EQ(m.dialogs.shown.size(), 4u);
  EXPECT_EQ(m.dialogs.shown[1].text, LangText(L"VERSION3", L"OLD-FOLDER-DELETED"));
  EXPECT_EQ(m.dialogs.shown[2].text, LangText(L"VERSION3", L"OLD-FOLDER-EXISTS") + L"\r\n\r\nE:\\VNL_temp");
  EXPECT_EQ(m.dialogs.shown[3].text, LangText(L"VERSION3", L"OLD-FOLDER-DELETED"));
}

TEST_F(Engine, ARunNeverWorksThroughALink) {
  Disk(L'D', 80'000'000);
  Disk(L'E', 80'000'000);
  PutUserFiles(m, L"D:\\Users\\Documents");
  PutUserFiles(m, L"E:\\Photos");
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    // Planted in D's work folder while stage 1 writes it.
    if (op == FsOp::Write && path.find(L"D:\\VNL_temp\\bo5-") == 0)
      m.files.PutLink(L"D:\\VNL_temp\\escape", L"D:\\Users\\Documents");
    return false;
  };
  // E's work folder turns into a link after the disk page looked for
  // leftovers: the run removes it as a link and makes a folder of its own.
  m.files.PutLink(L"E:\\VNL_temp", L"E:\\Photos");
  Clean(L"DE", CleaningMode::FreeSpace);
  ASSERT_TRUE(view.finished);
  ExpectUserFiles(m, L"D:\\Users\\Documents");
  ExpectUserFiles(m, L"E:\\Photos");
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp"));
  EXPECT_FALSE(m.files.IsLink(L"E:\\VNL_temp"));
  EXPECT_EQ(m.files.UsedOn(L'D'), 5 * 4u);
  EXPECT_EQ(m.files.UsedOn(L'E'), 5 * 4u);
  const auto log = Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(Field(log[1], 0), "1");
  EXPECT_EQ(Field(log[0], 0), "1");
}

// Someone who can write to the disk acts at the worst moment: swaps the work
// folder for a link to the user's files (or to another disk) while it is
// being emptied or filled, or plants a link under the next work file's name.
struct Attack {
  const char* what;
  FsOp when;
  const wchar_t* at;  // on the nth such operation on a path that starts so
  int nth;
  const wchar_t* link;  // where the link points
  bool swap;            // swap the work folder; else plant the link at `at`
  bool sweep;           // a leftover's sweep, else a run
  CleaningMode cleaning;
};

void PrintTo(const Attack& a, std::ostream* out) { *out << a.what; }

struct Attacks : Engine, ::testing::WithParamInterface<Attack> {};

TEST_P(Attacks, NeverReachTheUsersFilesNorFillAnotherDisk) {
  const Attack& a = GetParam();
  m.files.capacity[L'C'] = m.files.UsedOn(L'C') + 30'000'000;
  Disk(L'D', 80'000'000);
  PutUserFiles(m, L"D:\\Users\\Documents");
  PutUserFiles(m, L"C:\\Users\\test\\Documents");
  int seen = 0;
  bool tried = false, done = false;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (tried || op != a.when || path.find(a.at) != 0 || ++seen < a.nth) return false;
    tried = true;
    if (a.swap) {
      done = m.files.SwapForLink(L"D:\\VNL_temp", a.link);
    } else {
      m.files.PutLink(path, a.link, false);
      done = true;
    }
    return false;
  };
  if (a.sweep) {
    for (int i = 0; i < 50; ++i) m.files.PutFile(L"D:\\VNL_temp\\left" + std::to_wstring(i), "x");
    RemoveLeftoverWorkFolders(LeftoverNotice::Quiet);
  } else {
    Clean(L"D", a.cleaning);
  }
  ASSERT_TRUE(tried);
  EXPECT_EQ(done, !a.swap) << "a held folder cannot be swapped";
  ExpectUserFiles(m, L"D:\\Users\\Documents");
  // Nothing of the fill beside them either.
  ExpectUserFiles(m, L"C:\\Users\\test\\Documents");
  if (!a.sweep) EXPECT_EQ(Field(Log()[0], 0), a.swap ? "1" : "4");
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp"));
  EXPECT_EQ(m.files.UsedOn(L'D'), 5 * 4u);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, Attacks,
    ::testing::Values(
        Attack{"swap during the sweep", FsOp::RemoveFile, L"D:\\VNL_temp\\left", 10, L"D:\\Users\\Documents", true,
               true, CleaningMode::FileRecords},
        Attack{"swap during stage 4", FsOp::RemoveFile, L"D:\\VNL_temp\\bo", 10, L"D:\\Users\\Documents", true,
               false, CleaningMode::FileRecords},
        Attack{"swap during stage 3", FsOp::Create, L"D:\\VNL_temp\\fw1", 1, L"C:\\Users\\test\\Documents",
               true, false, CleaningMode::FreeSpace},
        Attack{"link under a name file's name", FsOp::Create, L"D:\\VNL_temp\\bo7-", 1,
               L"D:\\Users\\Documents\\letter1.txt", false, false, CleaningMode::FileRecords}));

// A stick pulled out while stage 4 removes its work files: the system
// answers "path not found" for every file, which is no success.
TEST_F(Engine, ADiskThatGoesAwayDuringTheRemovalIsAFailedRemoval) {
  Disk(L'D', 80'000'000);
  bool pulled = false;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (!pulled && op == FsOp::RemoveFile && path.find(L"D:\\VNL_temp\\bo100-") == 0) {
      pulled = true;
      for (FsOp each : {FsOp::RemoveFile, FsOp::List, FsOp::RemoveFolder, FsOp::Hold})
        m.files.faults.FailFrom(each, 1, FsFailure::Gone);
    }
    return false;
  };
  Clean(L"D", CleaningMode::FileRecords);
  EXPECT_TRUE(pulled);
  EXPECT_EQ(Field(Log()[0], 0), "6");
  EXPECT_FALSE(view.rows[0].ok);
}

// A fault between two stages, outside the stages' own guards, fails the disk
// and still leads to stage 4.
TEST_F(Engine, AFaultBetweenStagesFailsTheDiskAndStillRemovesItsWork) {
  Disk(L'D', 80'000'000);
  bool thrown = false;
  view.onYield = [&] {
    if (!thrown && Step(0) == StepIcon::Ok) {
      thrown = true;
      throw std::runtime_error("between stages");
    }
  };
  Clean(L"D", CleaningMode::FreeSpace);
  EXPECT_TRUE(thrown);
  EXPECT_EQ(Field(Log()[0], 0), "4");
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp"));
}

// A FAT folder takes 65,536 directory entries and a FAT32 file 4 GiB - 1
// bytes; the fake refuses beyond both, as the system does.
TEST_F(Engine, FatDisksOfAnySizeGetThePlannedFilesAndTheirWholeFill) {
  constexpr uint64_t kTwoTerabytes = 2'000'000'000'000ull;
  Disk(L'D', kTwoTerabytes, drivetype::Fixed, L"FAT32");
  // The template's bytes are not kept either: copying 2 TB of them would
  // take the test minutes.
  m.files.sizesOnly = {L"D:", L"E:", kData + L"\\temp.xd"};
  std::map<std::wstring, int> made;  // by folder
  uint64_t leastFree = UINT64_MAX;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (op == FsOp::Create) ++made[path.substr(0, path.rfind(L'\\'))];
    if (op == FsOp::RemoveFile) leastFree = std::min(leastFree, *m.drives.AvailableSpace(path.substr(0, 2)));
    return false;
  };
  Clean(L"D", CleaningMode::FreeSpace);
  EXPECT_EQ(Field(Log()[0], 0), "1");
  // The planned 20,001 name files in folders of 6,553, and about 40,000
  // copies of 50 MB in folders of 13,106.
  EXPECT_EQ(made[L"D:\\VNL_temp\\n0"], 6553);
  EXPECT_EQ(made[L"D:\\VNL_temp\\n3"], 20'001 - 3 * 6553);
  EXPECT_EQ(run->NameFilesMade, 20'001);
  EXPECT_GT(made[L"D:\\VNL_temp\\c3"], 0);
  EXPECT_EQ(run->CopiesMade, made[L"D:\\VNL_temp\\c0"] + made[L"D:\\VNL_temp\\c1"] + made[L"D:\\VNL_temp\\c2"] +
                                 made[L"D:\\VNL_temp\\c3"]);
  EXPECT_LE(leastFree, 3000u);
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp"));

  // A template cut short (the Windows drive is nearly full) is not copied:
  // the lines fill 10 GB, which no single FAT32 file could hold.
  m.files.capacity[L'C'] = m.files.UsedOn(L'C') + 400'000;
  Disk(L'E', 10'000'000'000ull, drivetype::Fixed, L"FAT32");
  made.clear();
  leastFree = UINT64_MAX;
  Clean(L"E", CleaningMode::FreeSpace);
  EXPECT_EQ(Field(Log()[0], 0), "1");
  EXPECT_EQ(made[L"E:\\VNL_temp"], 1 + 3 + 1);  // test.txt, fw1 to fw1-3, fw2
  EXPECT_LE(leastFree, 3000u);
  EXPECT_EQ(m.files.UsedOn(L'E'), 0u);
  EXPECT_FALSE(m.files.FolderExists(L"E:\\VNL_temp"));
}

// One thing fails at a chosen moment of a disk's run in cleaning mode 2.
struct Failure {
  const char* what;
  FsOp when;                // the moment: the first such operation
  const wchar_t* at;        // on a path that starts so
  wchar_t freeSpaceFrom;    // from then on this drive's free space is unknown
  const char* status;       // what the log must say
};

void PrintTo(const Failure& f, std::ostream* out) { *out << f.what; }

struct Failures : Engine, ::testing::WithParamInterface<Failure> {};

// A failed close is refused at the moment itself.
TEST_P(Failures, EndInTheirOwnStatusNeverInSuccess) {
  const Failure& f = GetParam();
  Disk(L'D', 60'000'000);
  bool happened = false;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (happened || op != f.when || path.find(f.at) != 0) return false;
    happened = true;
    if (f.freeSpaceFrom) m.drives.Plugged(std::wstring(1, f.freeSpaceFrom))->freeSpaceFails = true;
    return op == FsOp::Close;
  };
  Clean(L"D", CleaningMode::FreeSpace);
  EXPECT_TRUE(happened);
  EXPECT_EQ(Field(Log()[0], 0), f.status);
  EXPECT_EQ(view.rows[0].ok, false);
  // A disk that failed its preparation keeps its work folder for the next start.
  if (std::string(f.status) != "2") {
    EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
  }
  EXPECT_FALSE(m.files.FileExists(kData + L"\\temp.xd"));
}

INSTANTIATE_TEST_SUITE_P(
    Engine, Failures,
    ::testing::Values(
        Failure{"free space unknown in stage 1", FsOp::Write, L"D:\\VNL_temp\\test.txt", L'D', "4"},
        Failure{"free space of the Windows drive unknown in stage 2", FsOp::Write,
                L"C:\\Users\\test\\AppData\\Roaming\\VNL\\temp.xd", L'C', "5"},
        Failure{"free space unknown in stage 3", FsOp::Create, L"D:\\VNL_temp\\000-ws1-", L'D', "3"},
        Failure{"the write test does not close", FsOp::Close, L"D:\\VNL_temp\\test.txt", 0, "2"},
        Failure{"a name file does not close", FsOp::Close, L"D:\\VNL_temp\\bo3-", 0, "4"},
        Failure{"the template does not close", FsOp::Close, L"C:\\Users\\test\\AppData\\Roaming\\VNL\\temp.xd", 0,
                "5"},
        Failure{"a line file does not close", FsOp::Close, L"D:\\VNL_temp\\fw", 0, "3"}));

TEST_F(Engine, AFaultInsideAStageFailsThatDiskAndTheRunGoesOnToTheEnd) {
  Disk(L'D', 80'000'000);
  Disk(L'E', 80'000'000);
  Disk(L'F', 80'000'000);
  bool thrownInStage4 = false;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    if (op == FsOp::Write && path.find(L"D:\\VNL_temp\\bo5-") == 0) throw std::runtime_error("stage 1");
    if (op == FsOp::RemoveFile && path.find(L"E:\\VNL_temp\\bo5-") == 0 && !thrownInStage4) {
      thrownInStage4 = true;
      throw std::runtime_error("stage 4");
    }
    return false;
  };
  Clean(L"DEF", CleaningMode::FileRecords);
  ASSERT_TRUE(view.finished);
  const auto log = Log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(Field(log[2], 0), "4");
  EXPECT_EQ(Field(log[1], 0), "6");
  EXPECT_EQ(Field(log[0], 0), "1");
  // Stage 4 still removed D's files; the final delete took E's.
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp"));
  EXPECT_FALSE(m.files.FolderExists(L"E:\\VNL_temp"));
}

TEST(Timer, ATickThatThrowsDoesNotStopTheTimer) {
  fake::FakePlatform platform;
  Form form(L"Start", 1000, 1000);
  Timer& timer = form.AddTimer(L"worknow", 50);
  int ticks = 0;
  timer.onTick = [&] {
    if (++ticks == 1) throw std::runtime_error("first tick");
  };
  timer.SetEnabled(true);
  EXPECT_THROW(timer.Tick(), std::runtime_error);
  timer.Tick();
  EXPECT_EQ(ticks, 2);
}

TEST_F(Engine, TheTemplateNeverOutlivesItsDisk) {
  // One left by a program that died, found when the disk page shows.
  m.files.PutFile(kData + L"\\temp.xd", std::string(1000, 'x'));
  Disk(L'D', 80'000'000);
  Disk(L'E', 80'000'000);
  RemoveLeftoverWorkFolders();
  bool templateSeenGone = false;
  m.files.refuse = [&](FsOp op, const std::wstring& path) {
    // Stopped in stage 2 of D; stage 3 fails on E.
    if (op == FsOp::Append && path == kData + L"\\temp.xd" && m.files.Contents(path).size() > 100'000 &&
        !view.stop)
      view.stop = true;
    if (op == FsOp::Write && path.find(L"D:\\VNL_temp\\test.txt") == 0)
      templateSeenGone = !m.files.FileExists(kData + L"\\temp.xd");
    return false;
  };
  Clean(L"D", CleaningMode::FreeSpace);
  EXPECT_TRUE(templateSeenGone);
  EXPECT_TRUE(view.stop);
  EXPECT_FALSE(m.files.FileExists(kData + L"\\temp.xd"));
  m.files.refuse = [](FsOp op, const std::wstring& path) {
    return op == FsOp::Create && path.find(L"E:\\VNL_temp\\000-ws1-") == 0;
  };
  view.stop = false;
  Clean(L"E", CleaningMode::FreeSpace);
  EXPECT_EQ(Field(Log()[0], 0), "3");
  EXPECT_FALSE(m.files.FileExists(kData + L"\\temp.xd"));
}


// The 17th write finds the disk full: the disk fails in stage 1, and what
// was written still goes.
TEST_F(Engine, ADiskThatFillsUpUnderTheNameFilesFailsAndGetsItsSpaceBack) {
  Disk(L'D', 80'000'000);
  m.files.faults.Fail(FsOp::Write, 17, FsFailure::DiskFull);
  Clean(L"D", CleaningMode::FreeSpace);
  EXPECT_EQ(Field(Log()[0], 0), "4");
  EXPECT_EQ(Step(0), StepIcon::Error);
  EXPECT_EQ(Step(2), StepIcon::Error);
  EXPECT_EQ(m.files.UsedOn(L'D'), 0u);
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp"));
}

}  // namespace
}  // namespace vantrel::test
