#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/win32/WinApi.h"
#include "services/OpenURL.h"
#include "services/Paths.h"
#include "services/RegistryHelpers.h"
#include "services/SpecialFolder.h"
#include "tests/contract/ContractHarness.h"


namespace vantrel::contract {
namespace {

TEST(ShellContract, SpecialFoldersAsTheEnvironmentUsesThem) {
  const std::wstring appData = SpecialFolder(csidl::AppData);
  EXPECT_TRUE(FolderExists(appData) && appData.back() != L'\\') << std::string(appData.begin(), appData.end());
  EXPECT_EQ(SpecialFolder(csidl::Windows).substr(1), L":\\windows");
  EXPECT_EQ(SpecialFolder(0x7777), L"***************************** An invalid folder ID was specified.");
}

// Without a registered handler key nothing happens; with an empty one and
// no browser the user is told.
TEST(ShellContract, OpenUrlWithoutAHandlerOrBrowser) {
  // This prefix is the test's own: its web handler and browser may go.
  RegistryDelete(L"HKEY_CLASSES_ROOT\\http\\shell\\open\\command\\");
  Messages().shown.clear();
  OpenURL(L"http://127.0.0.1:9/");
  EXPECT_TRUE(Messages().shown.empty());
  Os().registry->CreateKey(Hive::ClassesRoot, L"http\\shell\\open\\command");
  Os().registry->SetValue(Hive::ClassesRoot, L"http\\shell\\open\\command", L"", StringValue(L""));
  DeleteFileW(L"C:\\Program Files\\Internet Explorer\\iexplore.exe");
  OpenURL(L"http://127.0.0.1:9/");
  ASSERT_EQ(Messages().shown.size(), 1u);
  EXPECT_EQ(Messages().shown[0].text, L"ERROR! Can't find browser to open the following URL:\r\nhttp://127.0.0.1:9/");
}

}  // namespace
}  // namespace vantrel::contract
