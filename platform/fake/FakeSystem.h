// Settable system facts, a virtual clock and scriptable randomness.
#pragma once
#include <deque>
#include <random>
#include <set>

#include "platform/Clock.h"
#include "platform/SystemInfo.h"

namespace vantrel::fake {

class FakeSystemInfo : public SystemInfo {
 public:
  uint32_t majorVersion = 10;
  std::wstring country = L"United States";
  std::wstring applicationFolder = L"C:\\Program Files\\Vantrel 3";
  VersionNumbers version{3, 7};
  bool elevated = true;

  uint32_t MajorVersion() override { return majorVersion; }
  std::wstring LocaleCountryName() override { return country; }
  std::wstring ApplicationFolder() override { return applicationFolder; }
  std::wstring ExecutableBaseName() override { return L"Vantrel"; }
  VersionNumbers ProgramVersionNumbers() override { return version; }
  // Locks held now, by this program or (a test says so) another.
  std::set<std::wstring> machineLocks;
  std::unique_ptr<MachineLock> TakeMachineLock(const std::wstring& name) override;
  bool MachineLockHeld(const std::wstring& name) override { return machineLocks.count(name) > 0; }
  bool ProcessIsElevated() override { return elevated; }
};

// Sleep advances the virtual time, so waits cost nothing in a test.
class FakeClock : public Clock {
 public:
  uint64_t now = 1000;
  // Numbers handed out before the generator's own.
  std::deque<double> scriptedRandom;
  int seeds = 0;

  // Wall-clock seconds at virtual time 0 (a Monday, 7 December 2026, 9:00).
  int64_t epochSeconds = 1796634000;
  uint64_t TickMs() override { return now; }
  int64_t NowSeconds() override { return epochSeconds + static_cast<int64_t>(now / 1000); }
  // Month/day/year and a 12-hour time, as a United States system writes them.
  std::optional<std::wstring> FormatDateTime(int64_t localSeconds) override;
  // Month/day/year, as FormatDateTime writes a date.
  std::optional<int64_t> ParseDate(const std::wstring& text) override;
  void Sleep(uint32_t ms) override { now += ms; }
  void SeedRandomFromClock() override { ++seeds; }
  double Random() override;

 private:
  std::mt19937 generator_{12345};
};

}  // namespace vantrel::fake
