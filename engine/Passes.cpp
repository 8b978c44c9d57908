#include "engine/Passes.h"

#include <algorithm>
#include <memory>

#include "engine/WorkArea.h"
#include "lang/Language.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {

// A block of each pass is built once and written again and again: a whole
// number of 3-byte units and of random blocks, and of sectors, so that every
// block of a file starts where the pattern starts.
constexpr std::size_t kRandomBlock = 64 * 1024, kBlock = 12 * kRandomBlock;

std::vector<OverwritePass> Units(std::initializer_list<const char*> hex) {
  std::vector<OverwritePass> passes;
  for (const char* h : hex) {
    std::string unit;
    for (const char* c = h; c[0] && c[1]; c += 2)
      unit.push_back(static_cast<char>(std::stoi(std::string(c, 2), nullptr, 16)));
    passes.push_back({unit});
  }
  return passes;
}

std::string BlockOf(const OverwritePass& pass) {
  std::string unit = pass.unit;
  // Through unsigned char: a byte above 127 does not fit a char as a number.
  if (unit.empty())
    for (std::size_t i = 0; i < kRandomBlock; ++i)
      unit.push_back(static_cast<char>(static_cast<unsigned char>(Os().clock->Random() * 256)));
  std::string block;
  block.reserve(kBlock);
  while (block.size() < kBlock) block += unit;
  return block;
}

// The work files that hold bytes: on NTFS the name files' lines too, which
// live in their file records.
std::vector<std::wstring> FilesWithBytes(StageContext& stage, std::vector<std::wstring> files) {
  WorkArea& work = *stage.Work();
  if (stage.disk.fileSystem == L"NTFS")
    for (int i = 0; i < stage.NameFilesMade; ++i) files.push_back(work.PathOf(WorkFile::NameFile, i, false));
  for (int n = 1; n <= stage.CopiesMade; ++n) files.push_back(work.PathOf(WorkFile::TemplateCopy, n, false));
  return files;
}

enum class Outcome { Done, Stopped, Failed, Mismatch };

// Every pass over one file, each carried to the disk, then the last one
// read back from the disk and compared.
Outcome PassOverFile(StageContext& stage, RewriteFile& file, const std::vector<std::string>& blocks) {
  const uint64_t size = file.Size();
  for (const std::string& block : blocks) {
    for (uint64_t at = 0; at < size; at += kBlock) {
      const std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(kBlock, size - at));
      if (!file.WriteAt(at, n == kBlock ? block : block.substr(0, n))) return Outcome::Failed;
      stage.TakeTurn();
      if (stage.StopRequested()) return Outcome::Stopped;
    }
    if (!file.Flush()) return Outcome::Failed;
    stage.SetProgressValue(stage.ProgressValue() + 1);
  }
  std::string read;
  for (uint64_t at = 0; at < size; at += kBlock) {
    const std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(kBlock, size - at));
    if (!file.ReadFromDisk(at, read, n)) return Outcome::Failed;
    if (read.size() != n || read.compare(0, n, blocks.back(), 0, n) != 0) return Outcome::Mismatch;
    stage.TakeTurn();
    if (stage.StopRequested()) return Outcome::Stopped;
  }
  return Outcome::Done;
}

}  // namespace

const std::vector<OverwritePass>& PassesOf(OverwriteMethod method) {
  static const std::vector<OverwritePass> none, dod = Units({"00", "FF", ""}),
      gutmann = Units({"", "", "", "", "55", "AA", "924924", "492492", "249249", "00", "11", "22",
                       "33", "44", "55", "66", "77", "88", "99", "AA", "BB", "CC", "DD", "EE",
                       "FF", "924924", "492492", "249249", "6DB6DB", "B6DB6D", "DB6DB6", "", "", "", ""});
  return method == OverwriteMethod::Gutmann ? gutmann : method == OverwriteMethod::Dod522022 ? dod : none;
}

int WorkFactor(const RunPlan& plan) {
  const std::size_t passes = PassesOf(plan.method).size();
  return passes == 0 || plan.cleaning != CleaningMode::FreeSpace ? 1 : static_cast<int>(passes) + 2;
}

bool RewriteInPasses(StageContext& stage, const std::vector<std::wstring>& lineFiles) {
  const std::vector<OverwritePass>& passes = PassesOf(stage.plan.method);
  if (passes.empty() || !stage.Work()) return true;
  std::vector<std::string> blocks;
  for (const OverwritePass& pass : passes) blocks.push_back(BlockOf(pass));
  const std::vector<std::wstring> files = FilesWithBytes(stage, lineFiles);
  stage.SetProgress(0, static_cast<int64_t>(files.size() * passes.size()));
  stage.view.Show(RunText::Remark,
                  LangText(L"VERSION3", L"PASSES-NOW") + L" " + std::to_wstring(passes.size()));
  stage.Yield();
  for (const std::wstring& path : files) {
    std::unique_ptr<RewriteFile> file = Os().files->OpenRewrite(path);
    if (!file) return stage.Fail(), false;
    const Outcome outcome = PassOverFile(stage, *file, blocks);
    const bool closed = file->Close();
    if (outcome == Outcome::Stopped) return false;
    if (outcome == Outcome::Mismatch) return stage.Fail(kVerifyFailed), false;
    if (outcome == Outcome::Failed || !closed) return stage.Fail(), false;
  }
  return true;
}

}  // namespace vantrel
