// The fetch against the reference endpoint (tools/endpoint.py), which the
// contract runner starts and names in VANTREL_TEST_ENDPOINT: it reads no
// more than it was told to, so an endless answer neither fills the memory
// nor takes long, as the fake's answers are cut. Answers a byte short or
// long, a silent server with the window answering meanwhile, and addresses
// with blanks and odd bytes arriving intact are the service journey's to
// prove through the real program.
#include <gtest/gtest.h>

#include "maker/Download.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/WinApi.h"
#include "tests/contract/ContractHarness.h"

#include <psapi.h>

#include <cstdio>

namespace vantrel::contract {
namespace {

SIZE_T PeakMemory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakPagefileUsage;
}

// The answer of the expected length is written, so the endpoint is there;
// one of a hundred million bytes is not, quickly and in little memory.
TEST(HttpContract, AnAnswerOfTheExpectedLengthIsWrittenAndAHugeOneStaysSmall) {
  wchar_t endpoint[512] = {};
  if (!GetEnvironmentVariableW(L"VANTREL_TEST_ENDPOINT", endpoint, 512)) GTEST_SKIP() << "no reference endpoint";
  win32::Win32Toolkit toolkit;
  InstallToolkit(&toolkit);
  const std::wstring file = ScratchFolder() + L"\\answer.txt";
  auto asking = [&](const wchar_t* mode) { return endpoint + (L"?t=1000&email=" + std::wstring(mode)) + L"@x.test"; };
  EXPECT_TRUE(DownloadToFile(asking(L"okay"), file, 1000) && DeleteFileW(file.c_str()));
  const SIZE_T before = PeakMemory();
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(DownloadToFile(asking(L"huge"), file, 1000));
  const ULONGLONG took = GetTickCount64() - start;
  const SIZE_T grew = PeakMemory() - before;
  std::printf("measured: a 10^8-byte answer: %llu ms, peak memory grew by %llu KiB\n",
              static_cast<unsigned long long>(took), static_cast<unsigned long long>(grew / 1024));
  EXPECT_TRUE(took < 1500 && grew < (SIZE_T{16} << 20) && GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES);
  InstallToolkit(nullptr);
}

}  // namespace
}  // namespace vantrel::contract
