// Dates as the update check stores them: written in the user's short date
// format and read back to the same day, and text that is no date refused.
#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace vantrel::contract {
namespace {

TEST(DateContract, AShortDateReadsBackToItsDay) {
  constexpr int64_t kDay = 86400;
  const int64_t today = Os().clock->NowSeconds() / kDay * kDay;
  for (int64_t back : {0, 90, 91, 4000}) {
    const auto text = Os().clock->FormatDateTime(today - back * kDay);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(Os().clock->ParseDate(*text), today - back * kDay)
        << "written as " << std::string(text->begin(), text->end());
  }
  EXPECT_FALSE(Os().clock->ParseDate(L"no date").has_value());
  EXPECT_FALSE(Os().clock->ParseDate(L"").has_value());
}

}  // namespace
}  // namespace vantrel::contract
