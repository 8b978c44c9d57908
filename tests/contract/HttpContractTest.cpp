// The fetch against the reference endpoint (tools/endpoint.py), which the
// contract runner starts and names in VANTREL_TEST_ENDPOINT: an endless
// answer neither fills the memory nor takes long, a server that never
// answers gives up at the time-out, and the window has its turn throughout.
#include <gtest/gtest.h>

#include "maker/Download.h"
#include "maker/ServiceUrl.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/WinApi.h"
#include "tests/contract/ContractHarness.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace vantrel::contract {
namespace {

// Records when the window had its turn.
struct TimedToolkit : win32::Win32Toolkit {
  std::vector<ULONGLONG> turns;
  void DoEvents() override {
    turns.push_back(GetTickCount64());
    Win32Toolkit::DoEvents();
  }
  ULONGLONG LongestGap(ULONGLONG from, ULONGLONG to) const {
    ULONGLONG gap = 0, last = from;
    for (ULONGLONG t : turns) gap = std::max(gap, t - last), last = t;
    return std::max(gap, to - last);
  }
};

class HttpContract : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t value[512] = {};
    if (!GetEnvironmentVariableW(L"VANTREL_TEST_ENDPOINT", value, 512)) GTEST_SKIP() << "no reference endpoint";
    endpoint = value;
    InstallToolkit(&toolkit);
    file = ScratchFolder() + L"\\answer.txt";
  }
  void TearDown() override { InstallToolkit(nullptr); }
  // A subscription request whose address picks the endpoint's answer.
  std::wstring Asking(const std::wstring& mode) {
    return endpoint + L"?scn=VNL&version=3.07&country=Germany&email=" + mode + L"@x.test&language=German&t=1000";
  }
  static SIZE_T PeakMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakPagefileUsage;
  }
  static bool Exists(const std::wstring& f) { return GetFileAttributesW(f.c_str()) != INVALID_FILE_ATTRIBUTES; }

  TimedToolkit toolkit;
  std::wstring endpoint, file;
};

// Only an answer of exactly the expected length is written; one of a
// hundred million bytes neither fills the memory nor takes long.
TEST_F(HttpContract, OnlyAnAnswerOfTheExpectedLengthIsWrittenAndAHugeOneStaysSmall) {
  EXPECT_TRUE(DownloadToFile(Asking(L"okay"), file, 1000) && Exists(file));
  DeleteFileW(file.c_str());
  const SIZE_T before = PeakMemory();
  const ULONGLONG start = GetTickCount64();
  for (const wchar_t* mode : {L"short", L"long", L"huge"})
    EXPECT_FALSE(DownloadToFile(Asking(mode), file, 1000)) << mode;
  const ULONGLONG took = GetTickCount64() - start;
  const SIZE_T grew = PeakMemory() - before;
  std::printf("measured: short, long and 10^8-byte answers: %llu ms, peak memory grew by %llu KiB\n",
              static_cast<unsigned long long>(took), static_cast<unsigned long long>(grew / 1024));
  EXPECT_TRUE(took < 1500 && grew < (SIZE_T{16} << 20) && !Exists(file));
}

TEST_F(HttpContract, ASilentServerIsLeftAtTheTimeOutAndTheWindowKeepsItsTurns) {
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(DownloadToFile(Asking(L"silent"), file, 1000));
  const ULONGLONG end = GetTickCount64(), gap = toolkit.LongestGap(start, end);
  std::printf("measured: silent server: false after %llu ms (time-out %u ms), longest gap between turns %llu ms\n",
              static_cast<unsigned long long>(end - start), kDownloadTimeoutMs, static_cast<unsigned long long>(gap));
  EXPECT_TRUE(end - start >= kDownloadTimeoutMs - 100 && end - start < kDownloadTimeoutMs + 500);
  EXPECT_LT(gap, 250u);
}

// Values that WinINet would send as they are arrive intact: the endpoint
// logs the request line, and the test reads it back.
TEST_F(HttpContract, BlanksAndOddBytesArriveIntact) {
  const std::wstring query = L"?scn=VNL&to=cip&country=People's Republic of China&info=x|ver:3.07|\u00ff\u00e9 #1";
  std::string body, log;
  Os().http->Get({endpoint + KeepAddressIntact(query), L"Download Agent", 2048, 5000}, body, [] {});
  Os().files->ReadAll(L"C:\\tests\\endpoint.log", log);
  EXPECT_NE(log.find("country=People's%20Republic%20of%20China&info=x|ver:3.07|%FF%E9%20%231 HTTP/1.1"),
            std::string::npos)
      << log.substr(log.size() > 600 ? log.size() - 600 : 0);
}

}  // namespace
}  // namespace vantrel::contract
