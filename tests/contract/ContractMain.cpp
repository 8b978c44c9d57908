#include <gtest/gtest.h>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"
#include "tests/contract/ContractHarness.h"

#include <objbase.h>

namespace vantrel::contract {

namespace {
fake::FakeDialogs g_messages;
int g_scratch = 0;
}  // namespace

fake::FakeDialogs& Messages() { return g_messages; }

std::wstring ScratchFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"contract" + std::to_wstring(GetCurrentProcessId()) +
                              L"-" + std::to_wstring(++g_scratch);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

}  // namespace vantrel::contract

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  static vantrel::win32::Win32Platform platform;
  vantrel::Platform parts = platform.Parts();
  parts.dialogs = &vantrel::contract::Messages();
  vantrel::InstallPlatform(parts);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  CoUninitialize();
  return result;
}
