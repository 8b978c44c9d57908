#include "platform/fake/FakeSystem.h"

#include <cwchar>

namespace vantrel::fake {

namespace {
class FakeMachineLock : public MachineLock {
 public:
  FakeMachineLock(std::set<std::wstring>& locks, std::wstring name) : locks_(locks), name_(std::move(name)) {}
  ~FakeMachineLock() override { locks_.erase(name_); }

 private:
  std::set<std::wstring>& locks_;
  std::wstring name_;
};
}  // namespace

std::unique_ptr<MachineLock> FakeSystemInfo::TakeMachineLock(const std::wstring& name) {
  if (!machineLocks.insert(name).second) return nullptr;
  return std::make_unique<FakeMachineLock>(machineLocks, name);
}

double FakeClock::Random() {
  if (!scriptedRandom.empty()) {
    const double r = scriptedRandom.front();
    scriptedRandom.pop_front();
    return r;
  }
  return std::uniform_real_distribution<double>(0.0, 1.0)(generator_);
}

std::optional<std::wstring> FakeClock::FormatDateTime(int64_t t) {
  int64_t days = t >= 0 ? t / 86400 : (t - 86399) / 86400;
  const int64_t secs = t - days * 86400;
  // Days to a civil date (proleptic Gregorian).
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t doe = days - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t day = doy - (153 * mp + 2) / 5 + 1;
  const int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  if (year < 100 || year > 9999) return std::nullopt;
  std::wstring text = std::to_wstring(month) + L"/" + std::to_wstring(day) + L"/" + std::to_wstring(year);
  if (secs == 0) return text;
  const int64_t h = secs / 3600, m = secs / 60 % 60, s = secs % 60;
  wchar_t time[32];
  std::swprintf(time, 32, L" %lld:%02lld:%02lld %ls", static_cast<long long>(h % 12 == 0 ? 12 : h % 12),
                static_cast<long long>(m), static_cast<long long>(s), h < 12 ? L"AM" : L"PM");
  return text + time;
}

std::optional<int64_t> FakeClock::ParseDate(const std::wstring& text) {
  unsigned month = 0, day = 0, year = 0;
  wchar_t rest = 0;
  if (std::swscanf(text.c_str(), L"%u/%u/%u%lc", &month, &day, &year, &rest) != 3) return std::nullopt;
  if (month < 1 || month > 12 || day < 1 || day > 31 || year < 100 || year > 9999) return std::nullopt;
  // A civil date to days since 1970 (proleptic Gregorian).
  const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return (era * 146097 + doe - 719468) * 86400;
}

}  // namespace vantrel::fake
