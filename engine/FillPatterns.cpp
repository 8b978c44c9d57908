#include "engine/FillPatterns.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "disks/WorkFolder.h"
#include "engine/StageRunner.h"
#include "engine/WorkArea.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/Environment.h"

namespace vantrel {

namespace {

constexpr uint64_t kBasis = 50'000'000, kRemovableBasis = 5'000'000;
constexpr uint64_t kSystemDriveReserve = 500'000;
constexpr uint64_t kAfterWriteMargin = 300'000, kAfterShortLineMargin = 200'000;
constexpr uint64_t kLongLineThreshold = 100'000, kShortLineThreshold = 3'000;
constexpr uint64_t kLateRemarkThreshold = 150'000'000;
// Time for the disk to write out what it holds before the removal begins.
constexpr uint32_t kFinishWaitMs = 5000;
constexpr int kTemplateLine = 1000, kFillBlock = 3000, kBlocksPerLongLine = 17;
// Template lines written in one go while the Windows drive has room to
// spare, and the block a template copy moves at a time: large enough for
// the disk's full speed, small enough to let the window answer in between.
constexpr uint64_t kMostLinesAtOnce = 1024;
constexpr std::size_t kCopyBlock = 1 << 20;

uint64_t BasisOf(bool removable) { return removable ? kRemovableBasis : kBasis; }

enum class Phase { Copy, LongLine, ShortLine, Finish };

// The largest unit that still fits with a margin; copies only of a whole
// template.
Phase NextPhase(Phase now, uint64_t free, uint64_t basis, bool copies) {
  const uint64_t margin = now == Phase::ShortLine ? kAfterShortLineMargin : kAfterWriteMargin;
  if (copies && free > basis + margin) return Phase::Copy;
  if (now == Phase::Copy) return Phase::LongLine;
  if (free > kLongLineThreshold) return Phase::LongLine;
  if (now == Phase::LongLine) return Phase::ShortLine;
  return free > kShortLineThreshold ? Phase::ShortLine : Phase::Finish;
}

}  // namespace

std::string_view FillAlphabet(OverwriteMethod method) {
  switch (method) {
    case OverwriteMethod::RandomCharacters:
    case OverwriteMethod::Gutmann: return "ABCDEFGHIJKLMNOPQRSTUVWXY";
    case OverwriteMethod::Spaces: return " ";
    case OverwriteMethod::RandomDigits:
    case OverwriteMethod::Dod522022: return "0123456789";
  }
  return " ";
}

char FillChar(OverwriteMethod method) {
  const std::string_view alphabet = FillAlphabet(method);
  const auto i = static_cast<std::size_t>(std::floor(Os().clock->Random() * static_cast<double>(alphabet.size())));
  return alphabet[std::min(i, alphabet.size() - 1)];
}

std::string FillText(OverwriteMethod method, int count) {
  std::string text;
  text.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) text.push_back(FillChar(method));
  return text;
}

std::wstring TemplateCopyName(int n) { return L"000-ws" + std::to_wstring(n) + L"-012345678901234567890123456789"; }

uint64_t TemplateFileBytes(bool removable) { return (BasisOf(removable) / 1000) * (kTemplateLine + 2); }

void MakeTemplateFile(Run& run, int stage, bool removable) {
  const std::string line = FillText(run.plan.method, kTemplateLine) + "\r\n";
  const uint64_t lines = BasisOf(removable) / 1000;
  run.TemplateWhole = false;
  run.SetProgress(0, static_cast<int64_t>(lines));
  run.Yield();
  std::unique_ptr<OutputFile> out = Os().files->Create(TemplateFilePath());
  if (!out) {
    run.DiskStatus = kTemplateFailed;
    return;
  }
  std::string group;
  uint64_t written = 0;
  // The data folder normally lies on the Windows drive, whatever disk is
  // cleaned: its free space decides how many lines go at once, so that the
  // template stops within a line of the reserve.
  auto systemFree = FreeBytes(Env().SystemDrive);
  bool failed = !systemFree;
  while (!failed && written < lines) {
    if (SecondTick(0)) {
      if (run.ProgressMax() >= run.ProgressValue() + 1) run.SetProgressValue(run.ProgressValue() + 1);
      run.Yield();
    }
    const uint64_t room = *systemFree > kSystemDriveReserve ? (*systemFree - kSystemDriveReserve) / line.size() / 2 : 0;
    const uint64_t now = std::clamp<uint64_t>(room, 1, std::min(kMostLinesAtOnce, lines - written));
    group.clear();
    for (uint64_t i = 0; i < now; ++i) group += line;
    if (!out->Write(group)) {
      failed = true;
      break;
    }
    written += now;
    systemFree = FreeBytes(Env().SystemDrive);
    if (!systemFree) failed = true;
    if (failed || *systemFree < kSystemDriveReserve) break;
    run.Breathe();
    WaitWhilePaused(run, stage);
    if (run.StopRequested()) break;
  }
  if (!out->Close() || failed) {
    run.DiskStatus = kTemplateFailed;
    return;
  }
  run.TemplateWhole = written == lines;
}

namespace {

// "fw1" and "fw2", each kept open from its first line to the end of the
// fill: opening a file per line costs more than the line. A line file never
// grows to 4 GiB, where a FAT32 file ends: the lines go on in "fw1-2",
// "fw1-3" and so on, which stage 4 finds beside the others.
class LineFiles {
 public:
  explicit LineFiles(std::wstring folder) : folder_(std::move(folder)) {}
  bool Append(Phase phase, const std::string& line) {
    const int i = phase == Phase::LongLine ? 0 : 1;
    Current& f = files_[i];
    if (f.file && f.bytes + line.size() > kLargestLineFile) {
      if (!f.file->Close()) return false;
      f.file.reset();
    }
    if (!f.file) {
      ++f.made;
      const std::wstring name =
          std::wstring(kLineFileNames[i]) + (f.made == 1 ? L"" : L"-" + std::to_wstring(f.made));
      f.file = Os().files->CreateNew(folder_ + L"\\" + name);
      f.bytes = 0;
    }
    if (!f.file || !f.file->Write(line)) return false;
    f.bytes += line.size();
    return true;
  }
  // Closed before stage 4, which could not delete an open file.
  bool Close() {
    bool closed = true;
    for (Current& f : files_) {
      if (f.file && !f.file->Close()) closed = false;
      f.file.reset();
    }
    return closed;
  }
  ~LineFiles() { Close(); }

 private:
  static constexpr uint64_t kLargestLineFile = 0xFFFF'FFFFull;
  struct Current {
    std::unique_ptr<OutputFile> file;
    uint64_t bytes = 0;
    int made = 0;
  };
  std::wstring folder_;
  Current files_[2];
};

// A copy of the template, a block at a time with the window answering in
// between; a stop ends it early, and what was copied stays for stage 4.
bool CopyTemplate(Run& run, int stage, const std::wstring& to) {
  std::unique_ptr<InputFile> in = Os().files->OpenRead(TemplateFilePath());
  std::unique_ptr<OutputFile> out = in && !to.empty() ? Os().files->CreateNew(to) : nullptr;
  if (!out) return false;
  std::string block;
  while (!run.StopRequested()) {
    if (!in->Read(block, kCopyBlock)) {
      out->Close();
      return false;
    }
    if (block.empty()) break;
    if (!out->Write(block)) {
      out->Close();
      return false;
    }
    run.Breathe();
    WaitWhilePaused(run, stage);
  }
  return out->Close();
}

}  // namespace

void FillFreeSpace(Run& run, int stage, const DiskFacts& disk) {
  const std::string block = FillText(run.plan.method, kFillBlock);
  std::string longLine;
  for (int i = 0; i < kBlocksPerLongLine; ++i) longLine += block;
  longLine += "\r\n";
  const std::string shortLine = block + "\r\n";
  const uint64_t basis = BasisOf(disk.removable);
  const bool copies = run.TemplateWhole;
  LineFiles lines(run.Work->Folder());
  auto fail = [&] {
    lines.Close();
    run.view.Show(RunText::FreeBytes, L"");
    run.DiskStatus = kFillFailed;
  };
  const auto initial = FreeBytes(disk.letter);
  if (!initial) return fail();
  run.SetProgress(0, static_cast<int64_t>(*initial));
  int copy = 0;
  bool remarked = false;
  run.Yield();
  auto free = FreeBytes(disk.letter);
  if (!free) return fail();
  Phase phase = *free < basis ? Phase::ShortLine : copies ? Phase::Copy : Phase::LongLine;
  while (phase != Phase::Finish) {
    bool written = false;
    if (phase == Phase::Copy) {
      ++copy;
      ++run.WorkFileCount;
      run.CopiesMade = copy;
      written = CopyTemplate(run, stage, run.Work->PathOf(WorkFile::TemplateCopy, copy, true));
    } else {
      written = lines.Append(phase, phase == Phase::LongLine ? longLine : shortLine);
    }
    free = written ? FreeBytes(disk.letter) : std::nullopt;
    if (!free) return fail();
    // Free space that grew past its start (another program freed some)
    // shows as nothing written.
    const int64_t done = static_cast<int64_t>(*initial) - static_cast<int64_t>(*free);
    if (done <= run.ProgressMax()) run.SetProgressValue(std::max<int64_t>(done, 0));
    run.view.Show(RunText::FreeBytes, std::to_wstring(*free));
    if (phase == Phase::Copy && *free < kLateRemarkThreshold && !remarked) {
      run.view.Show(RunText::Remark, LangText(L"INTERFACE", L"LABEL44"));
      remarked = true;
    }
    run.Breathe();
    WaitWhilePaused(run, stage);
    if (run.StopRequested()) break;
    phase = NextPhase(phase, *free, basis, copies);
  }
  if (!lines.Close()) return fail();
  if (!run.StopRequested()) {
    run.view.Show(RunText::Stage, LangText(L"INTERFACE", L"WAITINGTOCOMPLETE"));
    run.Wait(kFinishWaitMs);
  }
  run.view.Show(RunText::FreeBytes, L"");
  RemoveTemplateFile();
}

}  // namespace vantrel
