// Time, waiting and the pseudo-random generator.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; only differences are meaningful.
  virtual uint64_t TickMs() = 0;
  virtual void Sleep(uint32_t ms) = 0;
  virtual void SeedRandomFromClock() = 0;
  // Uniform in [0, 1).
  virtual double Random() = 0;
  // Local date and time as whole seconds since 1 January 1970, local zone.
  virtual int64_t NowSeconds() = 0;
  // A local time as the system writes a date and time by default: its short
  // date, a blank and its long time (no time at exactly midnight). Nothing
  // for a time the system cannot show.
  virtual std::optional<std::wstring> FormatDateTime(int64_t localSeconds) = 0;
  // A date written as the user's system writes dates, read back as the local
  // time of its midnight. Nothing for text that is no date.
  virtual std::optional<int64_t> ParseDate(const std::wstring& text) = 0;
};

}  // namespace vantrel
