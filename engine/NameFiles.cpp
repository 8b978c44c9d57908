#include "engine/NameFiles.h"

#include <algorithm>

#include "engine/FillPatterns.h"
#include "engine/StageRunner.h"
#include "lang/Language.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {
constexpr uint64_t kSmallRemovable = 33'000'000'000ull;
constexpr uint64_t kFreeFloor = 50'000'000;
constexpr int kNtfsLine = 901;
// Directory entries of a FAT folder: all of them, those the folder's own "."
// and ".." take, and those of the write test's "test.txt".
constexpr int64_t kFatEntries = 65'536, kFatOwnEntries = 2 + 1;
// A name file of up to 117 characters (numbers below 10,000,000) takes one
// short and nine long-name entries; a template copy's name of up to 52
// characters one and four; "fw1" and "fw2" one each.
constexpr int64_t kFatNameFileEntries = 10, kFatCopyEntries = 5, kFatLineFileEntries = 2;
const wchar_t kDigitBlock[] =
    L"0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789";
// Whether a disk still has more than a floor of free bytes, asked of the
// system only when the files made since the last answer could have taken
// the difference: a question per file costs as much as the file.
class FreeSpaceWatch {
 public:
  FreeSpaceWatch(std::wstring letter, uint64_t floor) : letter_(std::move(letter)), floor_(floor) {}
  std::optional<bool> Above() {
    if (unasked_ > 0) {
      --unasked_;
      return true;
    }
    const auto free = FreeBytes(letter_);
    if (!free) return std::nullopt;
    if (*free < floor_) return false;
    unasked_ = std::min<uint64_t>((*free - floor_) / kMostPerFile, kMostUnasked);
    return true;
  }

 private:
  // What one name file can take at most: its cluster, its record, and the
  // folder's index growing; and how many files go unasked at most even on
  // an empty disk, since other programs write too.
  static constexpr uint64_t kMostPerFile = 1 << 20;
  static constexpr uint64_t kMostUnasked = 256;
  std::wstring letter_;
  uint64_t floor_;
  uint64_t unasked_ = 0;
};

}  // namespace

std::wstring NameFileName(int i) { return L"bo" + std::to_wstring(i) + L"-" + kDigitBlock + L".$$$"; }

int PlannedNameFiles(uint64_t totalSize, NtfsMode ntfs, bool removable, uint64_t freeBytes) {
  uint64_t count = totalSize / 10 / 1000;
  const uint64_t cap = ntfs == NtfsMode::Deepest ? 150'000 : ntfs == NtfsMode::Thorough ? 70'000 : 20'000;
  count = std::min(count, cap);
  if (removable && freeBytes < kSmallRemovable) count /= 100;
  return static_cast<int>(std::max<uint64_t>(count, 1));
}

int FatFolderRoom(uint64_t freeBytes, bool removable, bool fillFollows) {
  int64_t entries = kFatEntries - kFatOwnEntries;
  if (fillFollows) {
    const int64_t copies = static_cast<int64_t>(freeBytes / TemplateFileBytes(removable)) + 1;
    entries -= copies * kFatCopyEntries + kFatLineFileEntries;
  }
  // Files 0 to count are made: count + 1 of them.
  return static_cast<int>(std::max<int64_t>(entries / kFatNameFileEntries - 1, 1));
}

void WriteNameFiles(Run& run, int stage, const DiskFacts& disk) {
  const bool ntfs = disk.fileSystem == L"NTFS";
  const auto freeAtStart = FreeBytes(disk.letter);
  if (!freeAtStart) {
    run.DiskStatus = kNameFilesFailed;
    return;
  }
  int count = PlannedNameFiles(disk.totalSize, run.plan.ntfs, disk.removable, *freeAtStart);
  // "FAT" and "FAT32"; exFAT folders hold far more than the largest plan.
  if (disk.fileSystem.rfind(L"FAT", 0) == 0)
    count = std::min(count, FatFolderRoom(*freeAtStart, disk.removable, run.FreeSpaceMode()));
  run.WorkFileCount = count;
  // Drawn once per disk and written unchanged into every file.
  const std::string line = FillText(run.plan.method, kNtfsLine) + "\r\n";
  run.SetProgress(0, count);
  run.view.Show(RunText::Remark, LangText(L"VERSION3", L"MAYBESLOW"));
  run.Yield();
  FreeSpaceWatch floor(disk.letter, kFreeFloor);
  for (int i = 0; i <= count; ++i) {
    if (SecondTick(1)) {
      if (run.ProgressMax() >= i) run.SetProgressValue(i);
      run.Yield();
    }
    const auto above = floor.Above();
    if (!above) {
      run.DiskStatus = kNameFilesFailed;
      return;
    }
    if (!*above) break;
    std::unique_ptr<OutputFile> file = Os().files->Create(disk.workFolder + L"\\" + NameFileName(i));
    if (file) run.NameFilesMade = i + 1;
    const bool written = file && (!ntfs || file->Write(line));
    if (!file || !file->Close() || !written) {
      run.DiskStatus = kNameFilesFailed;
      return;
    }
    run.Breathe();
    WaitWhilePaused(run, stage);
    if (run.StopRequested()) {
      run.WorkFileCount = i;
      return;
    }
  }
}

}  // namespace vantrel
