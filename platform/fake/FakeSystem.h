// Settable system facts, a virtual clock and scriptable randomness.
#pragma once
#include <deque>
#include <random>

#include "platform/Clock.h"
#include "platform/SystemInfo.h"

namespace vantrel::fake {

class FakeSystemInfo : public SystemInfo {
 public:
  uint32_t majorVersion = 10;
  std::wstring country = L"United States";
  std::wstring applicationFolder = L"C:\\Program Files\\Vantrel 3";
  VersionNumbers version{3, 7};

  uint32_t MajorVersion() override { return majorVersion; }
  std::wstring LocaleCountryName() override { return country; }
  std::wstring ApplicationFolder() override { return applicationFolder; }
  std::wstring ExecutableBaseName() override { return L"Vantrel"; }
  VersionNumbers ProgramVersionNumbers() override { return version; }
};

// Sleep advances the virtual time, so waits cost nothing in a test.
class FakeClock : public Clock {
 public:
  uint64_t now = 1000;
  // Numbers handed out before the generator's own.
  std::deque<double> scriptedRandom;
  int seeds = 0;

  uint64_t TickMs() override { return now; }
  void Sleep(uint32_t ms) override { now += ms; }
  void SeedRandomFromClock() override { ++seeds; }
  double Random() override;

 private:
  std::mt19937 generator_{12345};
};

}  // namespace vantrel::fake
