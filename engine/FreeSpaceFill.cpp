#include "engine/FreeSpaceFill.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "disks/WorkFiles.h"
#include "engine/FillText.h"
#include "engine/Passes.h"
#include "engine/TemplateStage.h"
#include "engine/WorkArea.h"
#include "lang/Language.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {

constexpr uint64_t kAfterWriteMargin = 300'000, kAfterShortLineMargin = 200'000;
constexpr uint64_t kLongLineThreshold = 100'000, kShortLineThreshold = 3'000;
constexpr uint64_t kLateRemarkThreshold = 150'000'000;
// Time for the disk to write out what it holds before the removal begins.
constexpr uint32_t kFinishWaitMs = 5000;
constexpr int kFillBlock = 3000, kBlocksPerLongLine = 17;
// The block a template copy writes at a time: large enough for the disk's
// full speed, small enough to let the window answer in between, and a whole
// number of clusters on any volume whose clusters are 1 MiB or less, so
// that every block but a copy's last starts and ends on a cluster's edge.
constexpr std::size_t kCopyBlock = 1 << 20;

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

// "fw1" and "fw2", each kept open from its first line to the end of the
// fill: opening a file per line costs more than the line. A line file never
// grows to 4 GiB, where a FAT32 file ends: the lines go on in "fw1-2",
// "fw1-3" and so on, which stage 4 finds beside the others.
class LineFiles {
 public:
  explicit LineFiles(std::wstring folder) : folder_(std::move(folder)) {}
  int Opened() const { return files_[0].made + files_[1].made; }
  // Every line file made, for the passes.
  std::vector<std::wstring> Made() const {
    std::vector<std::wstring> paths;
    for (int i = 0; i < 2; ++i)
      for (int part = 1; part <= files_[i].made; ++part) paths.push_back(PathOf(i, part));
    return paths;
  }
  bool Append(Phase phase, const std::string& line) {
    const int i = phase == Phase::LongLine ? 0 : 1;
    Current& f = files_[i];
    if (f.file && f.bytes + line.size() > kLargestLineFile) {
      if (!f.file->Close()) return false;
      f.file.reset();
    }
    if (!f.file) {
      ++f.made;
      f.file = Os().files->CreateNew(PathOf(i, f.made));
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
  std::wstring PathOf(int i, int part) const { return folder_ + L"\\" + LineFileName(i, part); }
  std::wstring folder_;
  Current files_[2];
};

// The free space after each line: the last answer less the bytes written
// since. The system is asked again whenever the lines since could have taken
// it where the next step would differ (the phase decides that, given the
// least and the likeliest free space: it goes on alike for every value in
// between), so every change of phase is decided on an answer, as before,
// without a thousand questions in the last 50 MB of every fixed disk (under
// Wine about 0.15 ms each). The most a line takes is its bytes and a
// part of a file record; the file may take one cluster more than its bytes
// (2 MiB, the largest that NTFS formats), and a new line file a cluster and
// a record of its own, so one is always followed by a question.
class LineFreeSpace {
 public:
  explicit LineFreeSpace(std::wstring letter) : letter_(std::move(letter)) {}
  std::optional<uint64_t> Ask() {
    const auto free = FreeBytes(letter_);
    last_ = free.value_or(0);
    written_ = lines_ = 0;
    return free;
  }
  template <class GoesOn>
  std::optional<uint64_t> AfterLine(uint64_t bytes, bool newFile, GoesOn goesOn) {
    written_ += bytes;
    ++lines_;
    const uint64_t most = written_ + lines_ * kRecordPart + kLargestCluster;
    if (newFile || written_ > kMostUnasked || last_ <= most || !goesOn(last_ - most) || !goesOn(last_ - written_))
      return Ask();
    return last_ - written_;
  }

 private:
  static constexpr uint64_t kRecordPart = 1024, kLargestCluster = 2 << 20;
  // Other programs write too: asked at least every so many bytes.
  static constexpr uint64_t kMostUnasked = 64 << 20;
  std::wstring letter_;
  uint64_t last_ = 0, written_ = 0, lines_ = 0;
};

// The bytes of a whole template, its one line over and over, held as a
// block and a line more: a copy is written from memory, not read back from
// "temp.xd" for every copy, which cost the fill a third of the disk's speed.
// The block at any offset is a view into them, starting where the line
// stands there.
class TemplateBytes {
 public:
  TemplateBytes(const std::string& line, uint64_t lines) : line_(line.size()), size_(line.size() * lines) {
    while (!line.empty() && held_.size() < kCopyBlock + line.size()) held_ += line;
  }
  uint64_t Size() const { return size_; }
  std::string_view BlockAt(uint64_t at) const {
    const std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(kCopyBlock, size_ - at));
    return std::string_view(held_).substr(static_cast<std::size_t>(at % line_), n);
  }

 private:
  std::size_t line_;
  uint64_t size_;
  std::string held_;
};

// A copy of the template, a block at a time with the window answering in
// between; a stop ends it early, and what was written stays for stage 4.
bool CopyTemplate(StageContext& stage, const TemplateBytes& bytes, const std::wstring& to) {
  std::unique_ptr<OutputFile> out = to.empty() ? nullptr : Os().files->CreateNew(to);
  if (!out) return false;
  for (uint64_t at = 0; at < bytes.Size() && !stage.StopRequested();) {
    const std::string_view block = bytes.BlockAt(at);
    if (!out->Write(block)) {
      out->Close();
      return false;
    }
    at += block.size();
    stage.TakeTurn();
  }
  return out->Close();
}

}  // namespace

void FillFreeSpace(StageContext& stage) {
  const DiskFacts& disk = stage.disk;
  const std::string block = FillText(stage.plan.method, kFillBlock);
  std::string longLine;
  for (int i = 0; i < kBlocksPerLongLine; ++i) longLine += block;
  longLine += "\r\n";
  const std::string shortLine = block + "\r\n";
  const uint64_t basis = TemplateBasis(disk.removable);
  const bool copies = stage.TemplateWhole && !stage.TemplateLine.empty();
  const TemplateBytes templateBytes(copies ? stage.TemplateLine : std::string(), basis / 1000);
  LineFiles lines(stage.Work()->Folder());
  LineFreeSpace reckoned(disk.letter);
  auto fail = [&] {
    lines.Close();
    stage.view.Show(RunText::FreeBytes, L"");
    stage.Fail();
  };
  const auto initial = FreeBytes(disk.letter);
  if (!initial) return fail();
  stage.SetProgress(0, static_cast<int64_t>(*initial));
  int copy = 0;
  bool remarked = false;
  stage.Yield();
  auto free = reckoned.Ask();
  if (!free) return fail();
  Phase phase = *free < basis ? Phase::ShortLine : copies ? Phase::Copy : Phase::LongLine;
  while (phase != Phase::Finish) {
    if (phase == Phase::Copy) {
      ++copy;
      ++stage.WorkFileCount;
      stage.CopiesMade = copy;
      const bool written =
          CopyTemplate(stage, templateBytes, stage.Work()->PathOf(WorkFile::TemplateCopy, copy, true));
      free = written ? reckoned.Ask() : std::nullopt;
    } else {
      const std::string& line = phase == Phase::LongLine ? longLine : shortLine;
      const int opened = lines.Opened();
      auto goesOn = [&](uint64_t f) { return NextPhase(phase, f, basis, copies) == phase; };
      free = lines.Append(phase, line) ? reckoned.AfterLine(line.size(), lines.Opened() != opened, goesOn)
                                       : std::nullopt;
    }
    if (!free) return fail();
    // Free space that grew past its start (another program freed some)
    // shows as nothing written.
    const int64_t done = static_cast<int64_t>(*initial) - static_cast<int64_t>(*free);
    if (done <= stage.ProgressMax()) stage.SetProgressValue(std::max<int64_t>(done, 0));
    stage.view.Show(RunText::FreeBytes, std::to_wstring(*free));
    if (phase == Phase::Copy && *free < kLateRemarkThreshold && !remarked) {
      stage.view.Show(RunText::Remark, LangText(L"INTERFACE", L"LABEL44"));
      remarked = true;
    }
    stage.TakeTurn();
    if (stage.StopRequested()) break;
    phase = NextPhase(phase, *free, basis, copies);
  }
  if (!lines.Close()) return fail();
  const bool passed = stage.StopRequested() || RewriteInPasses(stage, lines.Made());
  if (passed && !stage.StopRequested()) {
    stage.view.Show(RunText::Stage, LangText(L"INTERFACE", L"WAITINGTOCOMPLETE"));
    stage.Wait(kFinishWaitMs);
  }
  stage.view.Show(RunText::FreeBytes, L"");
  // One that stays is tried again after the disk, which then fails.
  RemoveTemplateFile();
}

}  // namespace vantrel
