#include "engine/NameFiles.h"

#include <algorithm>

#include "engine/FillText.h"
#include "engine/FolderNames.h"
#include "engine/WorkArea.h"
#include "lang/Language.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {
constexpr uint64_t kSmallRemovable = 33'000'000'000ull;
constexpr uint64_t kFreeFloor = 50'000'000;
constexpr int kNtfsLine = 901;
// Whether a disk still has more than a floor of free bytes, asked of the
// system only when the files made since the last answer could have taken
// the difference: a question per file costs as much as the file. What a
// file takes is learnt from the answers: an NTFS name file takes a whole
// cluster, and with clusters of 2 MiB a fixed guess would run the disk full
// between two questions.
class FreeSpaceWatch {
 public:
  FreeSpaceWatch(std::wstring letter, uint64_t floor) : letter_(std::move(letter)), floor_(floor) {}
  std::optional<bool> Above() {
    if (unasked_ > 0) {
      --unasked_;
      ++made_;
      return true;
    }
    const auto free = FreeBytes(letter_);
    if (!free) return std::nullopt;
    if (made_ > 0 && last_ > *free) perFile_ = std::max(perFile_, (last_ - *free + made_ - 1) / made_);
    // Until one file has shown what it takes, the next answer comes after it.
    const bool measured = made_ > 0;
    last_ = *free;
    made_ = 1;
    if (*free < floor_) return false;
    unasked_ = measured ? std::min<uint64_t>((*free - floor_) / perFile_, kMostUnasked) : 0;
    return true;
  }

 private:
  // What one name file takes at least in the reckoning: a cluster, its
  // record and the folder's index growing; and how many files go unasked at
  // most even on an empty disk, since other programs write too.
  static constexpr uint64_t kLeastPerFile = 1 << 20;
  static constexpr uint64_t kMostUnasked = 256;
  std::wstring letter_;
  uint64_t floor_;
  uint64_t unasked_ = 0, made_ = 0, last_ = 0, perFile_ = kLeastPerFile;
};

}  // namespace

int PlannedNameFiles(uint64_t totalSize, NtfsMode ntfs, bool removable, uint64_t freeBytes) {
  uint64_t count = totalSize / 10 / 1000;
  const uint64_t cap = ntfs == NtfsMode::Deepest ? 150'000 : ntfs == NtfsMode::Thorough ? 70'000 : 20'000;
  count = std::min(count, cap);
  if (removable && freeBytes < kSmallRemovable) count /= 100;
  return static_cast<int>(std::max<uint64_t>(count, 1));
}

void WriteNameFiles(StageContext& stage) {
  const DiskFacts& disk = stage.disk;
  // First, so that the name files also overwrite the file records its
  // temporary entries took.
  if (stage.plan.rewriteFolderNames) {
    if (!RewriteFolderNames(stage) || stage.StopRequested()) return;
  }
  const bool ntfs = disk.fileSystem == L"NTFS";
  const auto freeAtStart = FreeBytes(disk.letter);
  if (!freeAtStart) return stage.Fail();
  const int count = PlannedNameFiles(disk.totalSize, stage.plan.ntfs, disk.removable, *freeAtStart);
  stage.WorkFileCount = count;
  // Drawn once per disk and written unchanged into every file.
  const std::string line = FillText(stage.plan.method, kNtfsLine) + "\r\n";
  stage.SetProgress(0, count);
  stage.view.Show(RunText::Remark, LangText(L"VERSION3", L"MAYBESLOW"));
  stage.Yield();
  FreeSpaceWatch floor(disk.letter, kFreeFloor);
  for (int i = 0; i <= count; ++i) {
    if (SecondTick(1)) {
      if (stage.ProgressMax() >= i) stage.SetProgressValue(i);
      stage.Yield();
    }
    const auto above = floor.Above();
    if (!above) return stage.Fail();
    if (!*above) break;
    const std::wstring path = stage.Work()->PathOf(WorkFile::NameFile, i, true);
    std::unique_ptr<OutputFile> file = path.empty() ? nullptr : Os().files->CreateNew(path);
    if (file) stage.NameFilesMade = i + 1;
    const bool written = file && (!ntfs || file->Write(line));
    if (!file || !file->Close() || !written) return stage.Fail();
    stage.TakeTurn();
    if (stage.StopRequested()) {
      stage.WorkFileCount = i;
      return;
    }
  }
}

}  // namespace vantrel
