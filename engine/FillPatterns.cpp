#include "engine/FillPatterns.h"

#include <cmath>

#include "app/StartForm.h"
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

std::wstring TemplateFile() { return Env().DataFolder + L"\\temp.xd"; }

int Draw(int below) { return static_cast<int>(std::floor(Os().clock->Random() * below)); }

enum class Phase { Copy, LongLine, ShortLine, Finish };

Phase NextPhase(Phase now, uint64_t free, uint64_t basis) {
  switch (now) {
    case Phase::Copy:
      return free > basis + kAfterWriteMargin ? Phase::Copy : Phase::LongLine;
    case Phase::LongLine:
      if (free > basis + kAfterWriteMargin) return Phase::Copy;
      return free > kLongLineThreshold ? Phase::LongLine : Phase::ShortLine;
    default:
      if (free > basis + kAfterShortLineMargin) return Phase::Copy;
      if (free > kLongLineThreshold) return Phase::LongLine;
      return free > kShortLineThreshold ? Phase::ShortLine : Phase::Finish;
  }
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

void MakeTemplateFile(StartForm& form, int stage, bool removable) {
  const uint64_t basis = removable ? kRemovableBasis : kBasis;
  const std::string line = FillText(form, kTemplateLine) + "\r\n";
  Control& bar = form(L"ProgressBar1");
  const int lines = static_cast<int>(basis / 1000);
  bar.SetMax(lines);
  bar.SetValue(0);
  DoEvents();
  std::unique_ptr<OutputFile> out = Os().files->Create(TemplateFile());
  if (!out) {
    form.run.DiskStatus = kTemplateFailed;
    return;
  }
  for (int i = 1; i <= lines; ++i) {
    if (SecondTick(form.run, 0)) {
      if (bar.Max() >= bar.Value() + 1) bar.SetValue(bar.Value() + 1);
      DoEvents();
    }
    if (!out->Write(line)) {
      out->Close();
      form.run.DiskStatus = kTemplateFailed;
      return;
    }
    // The data folder normally lies on the Windows drive, whatever disk is cleaned.
    if (FreeBytes(Env().SystemDrive) < kSystemDriveReserve) break;
    WaitWhilePaused(form, stage);
    if (form.run.StopRequested) break;
  }
  if (!out->Close()) form.run.DiskStatus = kTemplateFailed;
}

void FillFreeSpace(StartForm& form, int stage, const DiskFacts& disk) {
  const std::string block = FillText(form, kFillBlock);
  std::string longLine;
  for (int i = 0; i < kBlocksPerLongLine; ++i) longLine += block;
  const uint64_t basis = disk.removable ? kRemovableBasis : kBasis;
  Control& bar = form(L"ProgressBar1");
  Control& freeLabel = form(L"Label32");
  const uint64_t initial = FreeBytes(disk.letter);
  bar.SetMax(static_cast<int64_t>(initial));
  bar.SetValue(0);
  int copies = 0;
  DoEvents();
  Phase phase = FreeBytes(disk.letter) < basis ? Phase::ShortLine : Phase::Copy;
  bool stopped = false;
  while (phase != Phase::Finish) {
    bool written = false;
    if (phase == Phase::Copy) {
      ++copies;
      ++form.run.WorkFileCount;
      written = Os().files->Copy(TemplateFile(), disk.workFolder + L"\\000-ws" + std::to_wstring(copies) +
                                                     L"-012345678901234567890123456789");
    } else {
      written = Os().files->AppendAll(disk.workFolder + (phase == Phase::LongLine ? L"\\fw1" : L"\\fw2"),
                                      (phase == Phase::LongLine ? longLine : block) + "\r\n");
    }
    if (!written) {
      freeLabel.SetCaption(L"");
      form.run.DiskStatus = kFillFailed;
      return;
    }
    const uint64_t free = FreeBytes(disk.letter);
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
    phase = NextPhase(phase, free, basis);
  }
  if (!stopped) {
    form(L"status").SetCaption(LangText(L"INTERFACE", L"WAITINGTOCOMPLETE"));
    for (int i = 0; i < 10; ++i) {
      Os().clock->Sleep(500);
      DoEvents();
    }
  }
  freeLabel.SetCaption(L"");
  if (FileExists(TemplateFile())) Os().files->RemoveFile(TemplateFile());
}

}  // namespace vantrel
