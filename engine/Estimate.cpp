#include "engine/Estimate.h"

#include <algorithm>
#include <cmath>

#include "engine/Passes.h"
#include "engine/StageContext.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/NumericText.h"
#include "services/Settings.h"

namespace vantrel {

namespace {
// An estimate further away than this is no estimate at all.
constexpr double kLongestEstimateSeconds = 100.0 * 365 * 86400;
std::wstring FolderNamesKey(int64_t serial) { return L"Disk" + std::to_wstring(serial) + L"-foldernames"; }
}  // namespace

void StoreFolderNamesSeconds(const DiskFacts& disk, int64_t seconds) {
  WriteSetting(kProgramSettings, L"Statistics", FolderNamesKey(disk.serial), std::to_wstring(seconds));
}

std::wstring ThroughputKey(int64_t serial, CleaningMode cleaning, NtfsMode ntfs) {
  return L"Disk" + std::to_wstring(serial) + L"-cleanway" + std::to_wstring(static_cast<int>(cleaning)) + L"-ntfs" +
         std::to_wstring(static_cast<int>(ntfs));
}

std::wstring EstimateText(const RunPlan& plan, const DiskFacts& disk) {
  const std::wstring figure =
      ReadSetting(kProgramSettings, L"Statistics", ThroughputKey(disk.serial, plan.cleaning, plan.ntfs));
  const auto perSecond = ParseNumber(figure);
  if (!perSecond || *perSecond <= 0) return L"";
  // The figure is of one write of the disk; a method of several passes
  // goes over it that many times.
  double seconds = std::floor(static_cast<double>(disk.availableSpace) / *perSecond) * WorkFactor(plan);
  // A stored time below zero is no time: it would pull the end into the
  // past, or beyond what a time can hold.
  if (plan.rewriteFolderNames)
    seconds += std::max(0.0, ParseNumber(ReadSetting(kProgramSettings, L"Statistics", FolderNamesKey(disk.serial)))
                                 .value_or(0));
  if (seconds > kLongestEstimateSeconds) return L"";
  const auto when = Os().clock->FormatDateTime(Os().clock->NowSeconds() + static_cast<int64_t>(seconds));
  return when ? LangText(L"VERSION3", L"ESTIMATED") + L" " + *when : L"";
}

void StoreThroughput(const RunPlan& plan, const DiskFacts& disk, int64_t elapsedSeconds) {
  const auto free = FreeBytes(disk.letter);
  if (elapsedSeconds < 1 || !free) return;
  WriteSetting(kProgramSettings, L"Statistics", ThroughputKey(disk.serial, plan.cleaning, plan.ntfs),
               std::to_wstring(*free * WorkFactor(plan) / static_cast<uint64_t>(elapsedSeconds)));
}

}  // namespace vantrel
