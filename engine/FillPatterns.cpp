#include "engine/FillPatterns.h"

#include <cmath>

#include "app/StartForm.h"
#include "disks/WorkFolder.h"
#include "engine/StageRunner.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/Paths.h"

namespace vantrel {

namespace {

constexpr uint64_t kBasis = 50'000'000, kRemovableBasis = 5'000'000;
constexpr uint64_t kSystemDriveReserve = 500'000;
constexpr uint64_t kAfterWriteMargin = 300'000, kAfterShortLineMargin = 200'000;
constexpr uint64_t kLongLineThreshold = 100'000, kShortLineThreshold = 3'000;
constexpr uint64_t kLateRemarkThreshold = 150'000'000;
constexpr int kTemplateLine = 1000, kFillBlock = 3000, kBlocksPerLongLine = 17;

int Draw(int below) { return static_cast<int>(std::floor(Os().clock->Random() * below)); }

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

std::wstring FillChar(const StartForm& form) {
  std::wstring c;
  auto selected = [&](const wchar_t* option) { return form(option).Value() != 0; };
  auto letter = [] {
    int code = Draw(90);
    while (code < 65) code = Draw(90);
    return std::wstring(1, static_cast<wchar_t>(code));
  };
  auto digit = [] { return std::wstring(1, static_cast<wchar_t>(L'0' + Draw(10))); };
  if (selected(L"Option1") || selected(L"Option4")) c = letter();
  if (selected(L"Option2")) c = L" ";
  if (selected(L"Option3")) c = digit();
  if (selected(L"Option5")) c = digit();
  return c;
}

std::string FillText(const StartForm& form, int count) {
  std::string text;
  text.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::wstring c = FillChar(form);
    if (!c.empty()) text.push_back(static_cast<char>(c[0]));
  }
  return text;
}

uint64_t TemplateFileBytes(bool removable) {
  return ((removable ? kRemovableBasis : kBasis) / 1000) * (kTemplateLine + 2);
}

void MakeTemplateFile(StartForm& form, int stage, bool removable) {
  RunState& run = form.run;
  const uint64_t basis = removable ? kRemovableBasis : kBasis;
  const std::string line = FillText(form, kTemplateLine) + "\r\n";
  Control& bar = form(L"ProgressBar1");
  const int lines = static_cast<int>(basis / 1000);
  run.TemplateWhole = false;
  bar.SetMax(lines);
  bar.SetValue(0);
  DoEvents();
  std::unique_ptr<OutputFile> out = Os().files->Create(TemplateFilePath());
  if (!out) {
    run.DiskStatus = kTemplateFailed;
    return;
  }
  int written = 0;
  while (written < lines) {
    if (SecondTick(run, 0)) {
      if (bar.Max() >= bar.Value() + 1) bar.SetValue(bar.Value() + 1);
      DoEvents();
    }
    const bool wrote = out->Write(line);
    // The data folder normally lies on the Windows drive, whatever disk is cleaned.
    const auto systemFree = wrote ? FreeBytes(Env().SystemDrive) : std::nullopt;
    if (!systemFree) {
      out->Close();
      run.DiskStatus = kTemplateFailed;
      return;
    }
    ++written;
    if (*systemFree < kSystemDriveReserve) break;
    WaitWhilePaused(form, stage);
    if (run.StopRequested) break;
  }
  if (!out->Close()) {
    run.DiskStatus = kTemplateFailed;
    return;
  }
  run.TemplateWhole = written == lines;
}

namespace {

// The free space after a write; on a failed question the stage fails.
bool MeasureFree(const std::wstring& letter, uint64_t& free) {
  const auto answer = FreeBytes(letter);
  if (answer) free = *answer;
  return answer.has_value();
}

}  // namespace

void FillFreeSpace(StartForm& form, int stage, const DiskFacts& disk) {
  const std::string block = FillText(form, kFillBlock);
  std::string longLine;
  for (int i = 0; i < kBlocksPerLongLine; ++i) longLine += block;
  const uint64_t basis = disk.removable ? kRemovableBasis : kBasis;
  const bool copies = form.run.TemplateWhole;
  Control& bar = form(L"ProgressBar1");
  Control& freeLabel = form(L"Label32");
  auto fail = [&] {
    freeLabel.SetCaption(L"");
    form.run.DiskStatus = kFillFailed;
  };
  uint64_t initial = 0, free = 0;
  if (!MeasureFree(disk.letter, initial)) return fail();
  bar.SetMax(static_cast<int64_t>(initial));
  bar.SetValue(0);
  int copy = 0;
  DoEvents();
  if (!MeasureFree(disk.letter, free)) return fail();
  Phase phase = free < basis ? Phase::ShortLine : copies ? Phase::Copy : Phase::LongLine;
  bool stopped = false;
  while (phase != Phase::Finish) {
    bool written = false;
    if (phase == Phase::Copy) {
      ++copy;
      ++form.run.WorkFileCount;
      written = Os().files->Copy(TemplateFilePath(), disk.workFolder + L"\\000-ws" + std::to_wstring(copy) +
                                                     L"-012345678901234567890123456789");
    } else {
      written = Os().files->AppendAll(disk.workFolder + (phase == Phase::LongLine ? L"\\fw1" : L"\\fw2"),
                                      (phase == Phase::LongLine ? longLine : block) + "\r\n");
    }
    if (!written || !MeasureFree(disk.letter, free)) return fail();
    // Free space that grew past its start (another program freed some) shows as nothing written.
    const int64_t done = static_cast<int64_t>(initial) - static_cast<int64_t>(free);
    if (done <= bar.Max()) bar.SetValue(std::max<int64_t>(done, 0));
    freeLabel.SetCaption(std::to_wstring(free));
    if (phase == Phase::Copy && free < kLateRemarkThreshold && form(L"Label44").Caption().empty())
      form(L"Label44").SetCaption(LangText(L"INTERFACE", L"LABEL44"));
    DoEvents();
    WaitWhilePaused(form, stage);
    if (form.run.StopRequested) {
      stopped = true;
      break;
    }
    phase = NextPhase(phase, free, basis, copies);
  }
  if (!stopped) {
    form(L"status").SetCaption(LangText(L"INTERFACE", L"WAITINGTOCOMPLETE"));
    for (int i = 0; i < 10; ++i) {
      Os().clock->Sleep(500);
      DoEvents();
    }
  }
  freeLabel.SetCaption(L"");
  RemoveTemplateFile();
}

}  // namespace vantrel
