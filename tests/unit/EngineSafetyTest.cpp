// The engine's promises under hostile conditions: it never touches what is
// not its own (links, swapped folders), never leaves a disk full or the
// template behind, and never reports a failure as success, whichever call
// of the system fails.
#include <gtest/gtest.h>

#include "disks/LeftoverFolders.h"
#include "engine/NameFiles.h"
#include "runlog/RunLog.h"
#include "tests/unit/EngineMachine.h"

namespace vantrel::test {
namespace {

using fake::FsOp;

const std::wstring kDocuments = L"D:\\Users\\Documents", kOwnDocuments = L"C:\\Users\\test\\Documents";

void PutUserFiles(FakeMachine& m) {
  for (const std::wstring& folder : {kDocuments, kOwnDocuments})
    for (int i = 1; i <= 5; ++i) m.files.PutFile(folder + L"\\letter" + std::to_wstring(i) + L".txt", "mine");
}
void ExpectUserFiles(FakeMachine& m) {
  for (const std::wstring& folder : {kDocuments, kOwnDocuments}) {
    ASSERT_EQ(m.files.ListFiles(folder).size(), 5u) << std::string(folder.begin(), folder.end());
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(m.files.Contents(folder + L"\\letter" + std::to_wstring(i) + L".txt"), "mine");
  }
}

// Leftovers go, links as links; a folder a run holds and the template of a
// run going in another copy stay, without a word.
TEST_F(Engine, LeftoversGoButNeitherWhatTheirLinksPointToNorAnotherRunsWork) {
  for (wchar_t letter : {L'D', L'E', L'F'}) Disk(letter, 80'000'000);
  PutUserFiles(m);
  m.files.PutFile(L"D:\\VNL_temp\\bo1-x.$$$", "");
  m.files.PutLink(L"D:\\VNL_temp\\escape", kDocuments);
  m.files.PutLink(L"D:\\VNL_temp\\sub\\deeper", L"D:\\Users");
  m.files.PutLink(L"D:\\VNL_temp\\one", kDocuments + L"\\letter1.txt", false);
  m.files.PutLink(L"E:\\VNL_temp", kDocuments);
  m.files.PutFile(L"F:\\VNL_temp\\bo1-x.$$$", "running");
  const auto running = m.files.Hold(L"F:\\VNL_temp");
  m.files.PutFile(kData + L"\\temp.xd", "template");
  m.system.machineLocks.insert(L"Vantrel.Run");
  m.dialogs.shown.clear();
  RemoveLeftoverWorkFolders();
  ExpectUserFiles(m);
  EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp") || m.files.IsLink(L"E:\\VNL_temp"));
  EXPECT_EQ(m.files.Contents(L"F:\\VNL_temp\\bo1-x.$$$"), "running");
  std::vector<std::wstring> told;
  for (const auto& shown : m.dialogs.shown) told.push_back(shown.text);
  const std::wstring exists = LangText(L"VERSION3", L"OLD-FOLDER-EXISTS") + L"\r\n\r\n",
                     deleted = LangText(L"VERSION3", L"OLD-FOLDER-DELETED");
  EXPECT_EQ(told, (std::vector<std::wstring>{exists + L"D:\\VNL_temp", deleted, exists + L"E:\\VNL_temp", deleted}));
  EXPECT_TRUE(m.files.FileExists(kData + L"\\temp.xd"));
  m.system.machineLocks.clear();
  RemoveLeftoverWorkFolders(LeftoverNotice::Quiet);
  EXPECT_FALSE(m.files.FileExists(kData + L"\\temp.xd"));
}

// Someone who can write to the disk acts at the worst moment: swaps the work
// folder for a link to the user's files or to another disk while it is
// emptied or filled, or plants a link where the run works.
TEST(Attack, NeverReachesTheUsersFilesNorFillsAnotherDisk) {
  enum Act { Swap, LinkAtTheNextNameFile, LinkInTheFolder, FolderIsALink };
  const struct {
    const char* what;
    int stage;  // -1: a leftover's sweep, -2: before the run
    Act act;
    const wchar_t* to;
    const char* status;
  } attacks[] = {
      {"swap during the sweep", -1, Swap, L"D:\\Users\\Documents", ""},
      {"swap during stage 3", 2, Swap, L"C:\\Users\\test\\Documents", "1"},
      {"swap during stage 4", 3, Swap, L"D:\\Users\\Documents", "1"},
      {"a link under the next name file's name", 0, LinkAtTheNextNameFile, L"D:\\Users\\Documents\\letter1.txt", "4"},
      {"a link planted in the work folder", 0, LinkInTheFolder, L"D:\\Users\\Documents", "1"},
      {"the work folder is a link", -2, FolderIsALink, L"D:\\Users\\Documents", "1"},
  };
  for (const auto& a : attacks) {
    SCOPED_TRACE(a.what);
    EngineRig r;
    FakeMachine& m = r.m;
    m.files.capacity[L'C'] = m.files.UsedOn(L'C') + 30'000'000;
    r.Disk(L'D', 52'000'000, drivetype::Removable);
    m.files.sizesOnly = {L"D:\\VNL_temp", kData + L"\\temp.xd"};
    m.files.faults.msPerCall = 10;
    PutUserFiles(m);
    bool tried = false, swapped = false;
    auto act = [&] {
      tried = true;
      if (a.act == Swap) swapped = m.files.SwapForLink(L"D:\\VNL_temp", a.to);
      if (a.act == LinkAtTheNextNameFile)
        m.files.PutLink(L"D:\\VNL_temp\\" + NameFileName(r.run->NameFilesMade), a.to, false);
      if (a.act == LinkInTheFolder) m.files.PutLink(L"D:\\VNL_temp\\escape", a.to);
      if (a.act == FolderIsALink) m.files.PutLink(L"D:\\VNL_temp", a.to);
    };
    int turns = 0;
    r.view.onYield = [&] {
      if (a.stage >= 0 && !tried && r.view.steps[a.stage] == StepIcon::Current && ++turns == 2) act();
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
    EXPECT_TRUE(tried);
    EXPECT_FALSE(swapped) << "a held folder cannot be swapped";
    ExpectUserFiles(m);
    EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp") || m.files.IsLink(L"D:\\VNL_temp"));
    EXPECT_EQ(m.files.UsedOn(L'D'), 5 * 4u);
  }
}

// The sweep: a small run is made once to count its calls of every file and
// drive operation; then each call in turn (up to kMostPerOp of each, spread
// over the run) fails, once or from then on, as a refusal, a full disk or a
// disk gone, and the promises are checked after each run.
constexpr uint64_t kMostPerOp = 40;
constexpr uint64_t kUserBytes = 5 * 4;

struct SweepRig : EngineRig {
  SweepRig() {
    Disk(L'D', 52'000'000, drivetype::Removable);
    m.files.sizesOnly = {L"D:\\VNL_temp", kData + L"\\temp.xd"};
    PutUserFiles(m);
  }
  // The disk's record: on top of the log, or waiting for the next record.
  std::string Record() {
    const auto log = Log(), waiting = Log(kPendingLogName);
    return !log.empty() ? log[0] : waiting.empty() ? "" : waiting.back();
  }
  // What broke of the promises, or nothing. A disk fails its preparation
  // before it holds more than an empty folder, and a failed removal may
  // leave what would not go (the next start sweeps both).
  std::string Broken(int nameFiles, bool removalsRefused) {
    m.files.faults.Clear();
    std::string why;
    auto expect = [&](bool ok, const char* what) {
      if (!ok) why += std::string(" ") + what + ";";
    };
    expect(view.finished, "no finish page");
    ExpectUserFiles(m);
    expect(m.files.ListFiles(L"D:\\").empty() && m.files.ListLinks(L"D:\\").empty(), "files beside the user's");
    const std::string record = Record();
    const std::string status = record.empty() ? "none" : Field(record, 0);
    expect(!record.empty(), "no record");
    if (status == "1") {
      expect(run->NameFilesMade == nameFiles && run->TemplateWhole, "completed without every name file and template");
      expect(!view.freeShown.empty() && view.freeShown.back() <= 3000, "completed without the whole fill");
      expect(view.rows[0].ok && view.steps[2] == StepIcon::Ok, "completed shown as failed");
    }
    if (status != "2" && status != "6")
      expect(!WorkFolderLeft() && m.files.UsedOn(L'D') == kUserBytes, "disk not given back");
    expect(removalsRefused || !m.files.FileExists(kData + L"\\temp.xd"), "template left");
    return why.empty() ? why : "status " + status + ":" + why;
  }
  bool WorkFolderLeft() { return m.files.FolderExists(L"D:\\VNL_temp") || m.files.IsLink(L"D:\\VNL_temp"); }
};

TEST(Sweep, EveryCallOfARunFailingInTurnKeepsThePromises) {
  const std::pair<FsOp, const char*> ops[] = {
      {FsOp::Read, "Read"},       {FsOp::Write, "Write"},           {FsOp::Append, "Append"},
      {FsOp::Close, "Close"},     {FsOp::Flush, "Flush"},           {FsOp::RemoveFile, "RemoveFile"},
      {FsOp::Copy, "Copy"},       {FsOp::CreateFolder, "CreateFolder"}, {FsOp::RemoveFolder, "RemoveFolder"},
      {FsOp::Move, "Move"},       {FsOp::Create, "Create"},         {FsOp::OpenRead, "OpenRead"},
      {FsOp::List, "List"},       {FsOp::Hold, "Hold"},             {FsOp::FreeSpace, "FreeSpace"},
      {FsOp::Volume, "Volume"},   {FsOp::TotalSize, "TotalSize"}};
  std::map<FsOp, uint64_t> calls;
  int nameFiles = 0;
  {
    SweepRig once;
    for (const auto& [op, name] : ops) calls[op] = once.m.files.faults.Calls(op);
    once.Clean(L"D", CleaningMode::FreeSpace);
    for (const auto& [op, name] : ops) calls[op] = once.m.files.faults.Calls(op) - calls[op];
    nameFiles = once.run->NameFilesMade;
    ASSERT_EQ(once.Broken(nameFiles, false), "");
    ASSERT_EQ(once.Status(), "1");
  }
  std::vector<std::string> broken;
  int runs = 0;
  for (const auto& [op, name] : ops) {
    // A drive question fails alike whatever the reason.
    const bool drive = op == FsOp::FreeSpace || op == FsOp::Volume || op == FsOp::TotalSize;
    for (uint64_t i = 0, n = std::min(calls[op], kMostPerOp); i < n; ++i) {
      const uint64_t call = calls[op] <= kMostPerOp ? i + 1 : 1 + i * (calls[op] - 1) / (kMostPerOp - 1);
      for (FsFailure outcome : {FsFailure::Refused, FsFailure::DiskFull, FsFailure::Gone}) {
        for (bool onward : {false, true}) {
          if (drive && outcome != FsFailure::Refused) continue;
          SweepRig rig;
          if (onward)
            rig.m.files.faults.FailFrom(op, call, outcome);
          else
            rig.m.files.faults.Fail(op, call, outcome);
          rig.Clean(L"D", CleaningMode::FreeSpace);
          ++runs;
          const std::string why = rig.Broken(nameFiles, onward && op == FsOp::RemoveFile);
          if (!why.empty())
            broken.push_back(std::string(name) + " call " + std::to_string(call) + (onward ? " on" : "") +
                             " failing as " + std::to_string(static_cast<int>(outcome)) + ": " + why);
        }
      }
    }
  }
  EXPECT_GT(runs, 1000);
  std::printf("sweep runs %d\n", runs);
  EXPECT_EQ(broken.size(), 0u) << ::testing::PrintToString(
      std::vector<std::string>(broken.begin(), broken.begin() + std::min<std::size_t>(broken.size(), 20)));
}

}  // namespace
}  // namespace vantrel::test
