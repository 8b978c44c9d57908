// Registry values as the logic reads them, rendered by type. The settings
// store and the keys the program writes are read back by the journeys.
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "services/RegistryHelpers.h"

namespace vantrel::contract {
namespace {

const std::wstring kKey = L"Software\\Vantrel Contract";

TEST(RegistryContract, ValuesReadBackRenderedByTheirType) {
  RegValue expand = StringValue(L"%SystemRoot%\\x"), multi = StringValue(L"ab");
  expand.type = regtype::ExpandString;
  multi.data.insert(multi.data.end(), {'c', 0, 0, 0, 0, 0});
  multi.type = regtype::MultiString;
  const std::pair<const wchar_t*, RegValue> values[] = {{L"", StringValue(L"the default")},
                                                        {L"Num", DwordValue(120)},
                                                        {L"Bin", {regtype::Binary, {0x60, 0x00, 0xFF}}},
                                                        {L"Big", {regtype::DwordBigEndian, {'W', 'X', 'Y', 'Z'}}},
                                                        {L"Exp", expand},
                                                        {L"Multi", multi}};
  const wchar_t* read[] = {L"the default", L"78 00 00 00 ", L"60 00 FF ", L"WXYZ", L"%SystemRoot%\\x", L"abc"};
  ASSERT_TRUE(Os().registry->CreateKey(Hive::CurrentUser, kKey));
  for (std::size_t i = 0; i < std::size(values); ++i) {
    ASSERT_TRUE(Os().registry->SetValue(Hive::CurrentUser, kKey, values[i].first, values[i].second));
    EXPECT_EQ(RegistryRead(L"HKEY_CURRENT_USER\\" + kKey + L"\\" + values[i].first), read[i]);
  }
  EXPECT_EQ(RegistryRead(L"HKEY_CURRENT_USER\\" + kKey + L"\\Missing") + RegistryRead(L"HKEY_CLASSES_ROOT\\.txt\\"),
            L"");
}

}  // namespace
}  // namespace vantrel::contract
