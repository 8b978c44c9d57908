#include "maker/UpdateCheck.h"

#include <algorithm>

#include "lang/Language.h"
#include "maker/ServiceUrl.h"
#include "platform/Platform.h"
#include "services/IgnoringFailures.h"
#include "services/Settings.h"

namespace vantrel {

namespace {
constexpr int64_t kDay = 86400;
constexpr int kRemindAfterDays = 91;

int64_t Today() {
  const int64_t now = Os().clock->NowSeconds();
  return (now >= 0 ? now : now - (kDay - 1)) / kDay * kDay;
}

// Today as the user's system writes a date: a midnight shows no time.
std::wstring TodayText() { return Os().clock->FormatDateTime(Today()).value_or(L""); }

void StoreTodayAsLastCheck() {
  const std::wstring today = TodayText();
  if (!today.empty()) WriteSetting(kProgramSettings, L"Settings", L"Recent Update", today);
}
}  // namespace

int16_t DaysSinceUpdateCheck() {
  return IgnoringFailures<int16_t>(0, [] {
    std::wstring stored = ReadSetting(kProgramSettings, L"Settings", L"Recent Update");
    if (stored.empty()) {
      stored = TodayText();
      StoreTodayAsLastCheck();
    }
    const auto when = Os().clock->ParseDate(stored);
    if (!when) return int16_t{0};
    const int64_t days = (Today() - *when) / kDay;
    return static_cast<int16_t>(std::clamp<int64_t>(days, INT16_MIN, INT16_MAX));
  });
}

void UpdateCheckReminder(bool askingAllowed) {
  const int16_t days = DaysSinceUpdateCheck();
  if (!askingAllowed || days < kRemindAfterDays) return;
  const std::wstring question = LangText(L"UPDATES", L"RECENTUPDATECHECKWAS") + L" " + std::to_wstring(days) +
                                L" " + LangText(L"UPDATES", L"DAYSAGO") + L"\r\n\r\n" +
                                LangText(L"UPDATES", L"CHECKUPDATESNOW");
  if (MsgBox(question, mb::YesNo | mb::Information, L"Vantrel") != mb::Yes) return;
  ServiceUrl(L"updates", L"", false);
  StoreTodayAsLastCheck();
}

void CheckForUpdatesNow() {
  StoreTodayAsLastCheck();
  ServiceUrl(L"updates", L"", false);
}

}  // namespace vantrel
