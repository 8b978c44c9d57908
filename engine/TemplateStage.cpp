#include "engine/TemplateStage.h"

#include <algorithm>
#include <memory>

#include "disks/WorkFiles.h"
#include "engine/FillText.h"
#include "platform/Platform.h"
#include "services/Environment.h"

namespace vantrel {

namespace {
constexpr uint64_t kBasis = 50'000'000, kRemovableBasis = 5'000'000;
constexpr uint64_t kSystemDriveReserve = 500'000;
constexpr int kTemplateLine = 1000;
// Template lines written in one go while the Windows drive has room to
// spare: large enough for the disk's full speed, small enough to let the
// window answer in between.
constexpr uint64_t kMostLinesAtOnce = 1024;
}  // namespace

uint64_t TemplateBasis(bool removable) { return removable ? kRemovableBasis : kBasis; }


void MakeTemplateFile(StageContext& stage) {
  const std::string line = FillText(stage.plan.method, kTemplateLine) + "\r\n";
  const uint64_t lines = TemplateBasis(stage.disk.removable) / 1000;
  stage.TemplateWhole = false;
  stage.TemplateLine = line;
  stage.SetProgress(0, static_cast<int64_t>(lines));
  stage.Yield();
  std::unique_ptr<OutputFile> out = Os().files->Create(TemplateFilePath());
  if (!out) return stage.Fail();
  std::string group;
  uint64_t written = 0;
  // The data folder normally lies on the Windows drive, whatever disk is
  // cleaned: its free space decides how many lines go at once, so that the
  // template stops within a line of the reserve.
  auto systemFree = FreeBytes(Env().SystemDrive);
  bool failed = !systemFree;
  while (!failed && written < lines) {
    if (SecondTick(0)) {
      if (stage.ProgressMax() >= stage.ProgressValue() + 1) stage.SetProgressValue(stage.ProgressValue() + 1);
      stage.Yield();
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
    stage.TakeTurn();
    if (stage.StopRequested()) break;
  }
  if (!out->Close() || failed) return stage.Fail();
  stage.TemplateWhole = written == lines;
}

}  // namespace vantrel
