// The engine's promises under hostile conditions: it never touches what is
// not its own (links, swapped folders), never leaves a disk full or the
// template behind, and never reports a failure as success, whichever call
// of the system fails.
#include <gtest/gtest.h>

#include "disks/LeftoverFolders.h"
#include "disks/WorkFiles.h"
#include "engine/FolderNames.h"
#include "runlog/RunLog.h"
#include "tests/unit/EngineMachine.h"

namespace vantrel::test {
namespace {

using fake::FsOp;

const std::wstring kDocuments = L"D:\\Users\\Documents", kOwnDocuments = L"C:\\Users\\test\\Documents";

// A letter in each folder, and nothing else there.
void PutUserFiles(FakeMachine& m) {
  for (const std::wstring& folder : {kDocuments, kOwnDocuments}) m.files.PutFile(folder + L"\\letter.txt", "mine");
}
void ExpectUserFiles(FakeMachine& m) {
  for (const std::wstring& folder : {kDocuments, kOwnDocuments}) {
    EXPECT_EQ(m.files.ListFiles(folder), std::vector<std::wstring>{L"letter.txt"});
    EXPECT_EQ(m.files.Contents(folder + L"\\letter.txt"), "mine");
  }
}

// Leftovers and the template go, links as links, and what resists is told;
// nothing else named like a work folder counts as one. (What a run going in
// another copy holds stays: RunPageTest.)
TEST_F(Engine, LeftoversGoButNotWhatTheirLinksPointTo) {
  for (wchar_t letter : {L'D', L'E', L'G', L'H'}) Disk(letter, 80'000'000);
  PutUserFiles(m);
  const std::wstring onWindowsDrive = L"C:\\Users\\test\\AppData\\Roaming\\VNL_temp";
  m.files.PutFile(onWindowsDrive + L"\\bo1", "x");
  m.files.PutFile(L"C:\\VNL_temp\\x", "at the root of the Windows drive: not a work folder");
  m.files.PutFile(L"D:\\VNL_temp\\bo1-x.$$$", "");
  m.files.PutLink(L"D:\\VNL_temp\\escape", kDocuments);
  m.files.PutLink(L"D:\\VNL_temp\\sub\\deeper", L"D:\\Users");
  m.files.PutLink(L"D:\\VNL_temp\\one", kDocuments + L"\\letter.txt", false);
  m.files.PutLink(L"E:\\VNL_temp", kDocuments);
  m.files.PutFile(L"G:\\VNL_temp\\sub\\a", "x");
  m.files.PutFile(L"G:\\VNL_temp\\locked", "x", true);
  m.files.PutFile(L"H:\\VNL_temp", "a file, not a folder");
  m.files.PutFile(kData + L"\\temp.xd", "template");
  m.dialogs.shown.clear();
  RemoveLeftoverWorkFolders();
  ExpectUserFiles(m);
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp") || m.files.IsLink(L"E:\\VNL_temp") ||
               m.files.FolderExists(onWindowsDrive) || m.files.FolderExists(L"G:\\VNL_temp\\sub") ||
               m.files.FileExists(kData + L"\\temp.xd"));
  EXPECT_TRUE(m.files.FileExists(L"C:\\VNL_temp\\x") && m.files.FileExists(L"G:\\VNL_temp\\locked") &&
              m.files.FileExists(L"H:\\VNL_temp"));
  const std::wstring exists = LangText(L"VERSION3", L"OLD-FOLDER-EXISTS") + L"\r\n\r\n",
                     deleted = LangText(L"VERSION3", L"OLD-FOLDER-DELETED");
  EXPECT_EQ(m.Boxes(), (std::vector<std::wstring>{exists + onWindowsDrive, deleted, exists + L"D:\\VNL_temp", deleted,
                                             exists + L"E:\\VNL_temp", deleted, exists + L"G:\\VNL_temp",
                                             LangText(L"VERSION3", L"OLD-FOLDER-NOT-DELETED") + L"\r\n\r\nG:\\VNL_temp"}));
  EXPECT_TRUE(m.dialogs.shown[1].style == mb::Information && m.dialogs.shown.back().style == mb::Exclamation);
}

// A removable disk just above the name files' floor, with the user's files
// on it and beside the template: a run takes milliseconds.
struct UserDisk : EngineRig {
  UserDisk() {
    m.files.capacity[L'C'] = m.files.UsedOn(L'C') + 30'000'000;
    Disk(L'D', 52'000'000, drivetype::Removable);
    m.files.sizesOnly = {L"D:\\VNL_temp", kData + L"\\temp.xd"};
    PutUserFiles(m);
  }
};

// Someone who can write to the disk acts at the worst moment: swaps the work
// folder for a link to the user's files or to another disk while it is
// emptied or filled, or plants a link where the run works.
TEST(Attack, NeverReachesTheUsersFilesNorFillsAnotherDisk) {
  enum Act { Swap, PlantLink };
  const struct {
    const char* what;
    int stage;
    Act act;
    const wchar_t *at, *to;  // at nullptr: under the next name file's name
    const char* status;
  } attacks[] = {
      {"swap during a leftover's sweep", -1, Swap, L"D:\\VNL_temp", L"D:\\Users\\Documents", ""},
      {"swap during stage 3", 2, Swap, L"D:\\VNL_temp", L"C:\\Users\\test\\Documents", "1"},
      {"swap during stage 4", 3, Swap, L"D:\\VNL_temp", L"D:\\Users\\Documents", "1"},
      {"a link under the next name file's name", 0, PlantLink, nullptr, L"D:\\Users\\Documents\\letter.txt", "4"},
      {"a link planted in the work folder", 0, PlantLink, L"D:\\VNL_temp\\escape", L"D:\\Users\\Documents", "1"},
      {"the work folder is a link before the run", -2, PlantLink, L"D:\\VNL_temp", L"D:\\Users\\Documents", "1"},
  };
  for (const auto& a : attacks) {
    SCOPED_TRACE(a.what);
    UserDisk r;
    FakeMachine& m = r.m;
    m.files.faults.msPerCall = 10;
    bool tried = false, swapped = false;
    auto act = [&] {
      tried = true;
      const std::wstring at = a.at ? a.at : L"D:\\VNL_temp\\n0\\" + NameFileName(r.run->NameFilesMade);
      if (a.act == Swap)
        swapped = m.files.SwapForLink(at, a.to);
      else
        m.files.PutLink(at, a.to, a.at != nullptr);
    };
    int turns = 0;
    r.view.onYield = [&] {
      // The next name file's link goes in once its subfolder is there.
      if (a.stage >= 0 && !tried && r.view.steps[a.stage] == StepIcon::Current && ++turns >= 2 &&
          (a.at || r.run->NameFilesMade > 0))
        act();
    };
    if (a.stage == -1) {
      for (int i = 0; i < 50; ++i) m.files.PutFile(L"D:\\VNL_temp\\left" + std::to_wstring(i), "x");
      m.toolkit.At(m.clock.now + 100, act);
      RemoveLeftoverWorkFolders(LeftoverNotice::Quiet);
    } else {
      if (a.stage == -2) act();
      r.Clean(L"D", CleaningMode::FreeSpace);
      EXPECT_EQ(r.Status(), a.status);
    }
    EXPECT_TRUE(tried && !swapped) << "a held folder cannot be swapped";
    ExpectUserFiles(m);
    EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp") || m.files.IsLink(L"D:\\VNL_temp"));
    EXPECT_EQ(m.files.UsedOn(L'D'), 4u);
  }
}

// The sweep: a small run is made once to count its calls of every file and
// drive operation; then each call in turn fails, once or from then on, as a
// refusal, a full disk or a disk gone. Every call: the busiest operation
// makes 171 today; beyond kMostPerOp they would be spread over the run, so
// that the sweep stays within seconds. After each run the promises hold:
// the user's files as they were, a record (on top of the log, or waiting),
// completed only when all the work was done, the disk given back and the
// template gone. A disk that fails its preparation holds at most an empty
// folder, and a failed removal may leave what would not go: the next start
// sweeps both.
constexpr uint64_t kMostPerOp = 200;

std::string Broken(UserDisk& r, int nameFiles, bool removalsRefused) {
  r.m.files.faults.Clear();
  ExpectUserFiles(r.m);
  const auto log = r.Log(), waiting = r.Log(kPendingLogName);
  const std::string record = !log.empty() ? log[0] : waiting.empty() ? "" : waiting.back();
  const std::string status = record.empty() ? "none" : r.Field(record, 0);
  std::string why;
  auto expect = [&](bool ok, const char* what) { why += ok ? "" : std::string(" ") + what + ";"; };
  expect(r.view.finished && !record.empty(), "no finish page or no record");
  expect(r.m.files.ListFiles(L"D:\\").empty() && r.m.files.ListLinks(L"D:\\").empty(), "files beside the user's");
  expect(status != "1" || (r.run->NameFilesMade == nameFiles && r.run->TemplateWhole && !r.view.freeShown.empty() &&
                           r.view.freeShown.back() <= 3000 && r.view.rows[0].ok && r.view.steps[2] == StepIcon::Ok),
         "completed without all the work done");
  expect(status == "2" || status == "6" ||
             (!r.m.files.FolderExists(L"D:\\VNL_temp") && !r.m.files.IsLink(L"D:\\VNL_temp") &&
              r.m.files.UsedOn(L'D') == 4),
         "disk not given back");
  expect(removalsRefused || !r.m.files.FileExists(kData + L"\\temp.xd"), "template left");
  return why.empty() ? why : "status " + status + ":" + why;
}

TEST(Sweep, EveryCallOfARunFailingInTurnKeepsThePromises) {
  std::map<FsOp, uint64_t> calls;
  int nameFiles = 0;
  {
    UserDisk once;
    for (int op = 0; op <= static_cast<int>(FsOp::TotalSize); ++op)
      calls[FsOp(op)] = once.m.files.faults.Calls(FsOp(op));
    once.Clean(L"D", CleaningMode::FreeSpace);
    for (auto& [op, n] : calls) n = once.m.files.faults.Calls(op) - n;
    nameFiles = once.run->NameFilesMade;
    ASSERT_EQ(once.Status() + Broken(once, nameFiles, false), "1");
  }
  std::vector<std::string> broken;
  int runs = 0;
  for (const auto& [op, n] : calls) {
    // A drive question fails alike whatever the reason.
    const bool drive = op == FsOp::FreeSpace || op == FsOp::Volume || op == FsOp::TotalSize;
    for (uint64_t i = 0; i < std::min(n, kMostPerOp); ++i) {
      const uint64_t call = n <= kMostPerOp ? i + 1 : 1 + i * (n - 1) / (kMostPerOp - 1);
      for (FsFailure outcome : {FsFailure::Refused, FsFailure::DiskFull, FsFailure::Gone}) {
        for (bool onward : {false, true}) {
          if (drive && outcome != FsFailure::Refused) continue;
          UserDisk r;
          onward ? r.m.files.faults.FailFrom(op, call, outcome) : r.m.files.faults.Fail(op, call, outcome);
          r.Clean(L"D", CleaningMode::FreeSpace);
          ++runs;
          const std::string why = Broken(r, nameFiles, onward && op == FsOp::RemoveFile);
          if (!why.empty())
            broken.push_back("operation " + std::to_string(int(op)) + ", call " + std::to_string(call) +
                             (onward ? " on" : "") + ", failure " + std::to_string(int(outcome)) + ": " + why);
        }
      }
    }
  }
  EXPECT_GT(runs, 2500);
  EXPECT_TRUE(broken.empty()) << broken.size() << " runs broke a promise, the first: " << broken.front();
}

// Deleted names linger in the index of a folder that stays (and of one
// inside it): the first step rewrites them, never enters a link, leaves the
// user's files and the folders' times as they were and nothing of its own,
// and never holds more than about a thousand short entries at once;
// a folder it cannot write is skipped, counted, and keeps its names; a stop
// ends it with its entries gone and the times back.
TEST(FolderNames, LeaveNoDeletedNameInTheFoldersThatStay) {
  enum Kind { Rewritten, Unwritable, Stopped };
  const struct {
    const char* what;
    Kind kind;
    const char* status;
    int rewritten, skipped;
  } cases[] = {{"every folder", Rewritten, "1", 3, 0},
               {"the first folder below the root refuses its first entry", Unwritable, "1", 2, 1},
               {"stop in the middle of the first folder below the root", Stopped, "0", 1, 0}};
  const std::wstring letters = L"D:\\Letters", old = letters + L"\\Old", outside = L"E:\\Outside";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EngineRig r;
    r.Disk(L'D', 80'000'000);
    r.m.files.AddDrive(L'E');
    std::map<std::wstring, std::string> kept;
    for (const std::wstring& folder : {letters, old, outside}) {
      auto path = [&](int i) { return folder + L"\\letter-to-my-lawyer-number-" + std::to_wstring(1000 + i) + L".docx"; };
      for (int i = 0; i < 400; ++i) r.m.files.PutFile(path(i), "mine " + std::to_string(i));
      for (int i = 0; i < 400; ++i)
        if (i % 5 < 3) r.m.files.RemoveFile(path(i));
        else kept[path(i)] = "mine " + std::to_string(i);
    }
    r.m.files.PutLink(letters + L"\\Elsewhere", outside);
    r.m.files.faults.msPerCall = 10;
    const FolderTimes before[] = {r.m.files.TimesOf(letters), r.m.files.TimesOf(old)};
    // The user's names that linger; the step's own may.
    auto deleted = [&](const std::wstring& folder) {
      const auto names = r.m.files.LingeringNames(folder);
      return std::count_if(names.begin(), names.end(), [](const std::wstring& n) { return n.ends_with(L".DOCX"); });
    };
    ASSERT_EQ(deleted(outside), 240);
    // After the work folder's write test and the root's entries (after its
    // two folders and the 16 starting points over the alphabet; short ones,
    // long ones, short ones again: five times the long ones' count).
    if (c.kind == Unwritable) r.m.files.faults.Fail(FsOp::Create, 5 * EntriesToFill(0, 255, 18) + 2, FsFailure::Refused);
    uint64_t longestInStep = 0;  // the window's longest wait up to the name files' end
    std::size_t shorts = 0;      // the most short entries of the step in one folder
    r.view.onYield = [&] {
      const auto now = r.m.files.ListFiles(letters);
      shorts = std::max<std::size_t>(shorts, std::count_if(now.begin(), now.end(), [](const std::wstring& n) {
                                       return n.find(L'~') != n.npos && n.find(L"~vantrel-index-") == n.npos;
                                     }));
      if (c.kind == Stopped && now.size() > 160) r.view.stop = true;
      if (r.view.steps[0] == StepIcon::Current) longestInStep = r.view.longestWithoutYieldMs;
    };
    RunPlan plan = EngineRig::Plan(L"D", CleaningMode::FileRecords);
    plan.rewriteFolderNames = true;
    r.Clean(plan);
    EXPECT_EQ(r.Status(), c.status);
    EXPECT_TRUE(r.view.rows[0].info.ends_with(LangText(L"VERSION3", L"FOLDERS-REWRITTEN") + L" " +
                                              std::to_wstring(c.rewritten) + L", " +
                                              LangText(L"VERSION3", L"FOLDERS-SKIPPED") + L" " + std::to_wstring(c.skipped)))
        << r.view.rows[0].info;
    EXPECT_EQ(deleted(letters), c.kind == Rewritten ? 0 : 240);
    EXPECT_EQ(deleted(old), c.kind == Stopped ? 240 : 0);
    EXPECT_EQ(deleted(outside), 240);  // behind the link
    EXPECT_LE(shorts, 1100u);
    for (const auto& [path, bytes] : kept) EXPECT_EQ(r.m.files.Contents(path), bytes);
    for (const std::wstring& folder : {letters, old, outside}) EXPECT_EQ(r.m.files.ListFiles(folder).size(), 160u);
    EXPECT_TRUE(r.m.files.TimesOf(letters) == before[0] && r.m.files.TimesOf(old) == before[1]);
    EXPECT_LE(longestInStep, 250u);
  }
}

}  // namespace
}  // namespace vantrel::test
