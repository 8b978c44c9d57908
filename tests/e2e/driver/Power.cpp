#include "tests/e2e/driver/Power.h"

#include "tests/e2e/driver/Common.h"

namespace vdriver {

int MainsStatus() {
  SYSTEM_POWER_STATUS status{};
  if (!GetSystemPowerStatus(&status)) Fail(L"GetSystemPowerStatus failed: error " + std::to_wstring(GetLastError()));
  return status.ACLineStatus;
}

LRESULT QuerySuspend(HWND window) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0, SMTO_NORMAL, kAnswerMs, &answer))
    Fail(L"no answer to the suspend query: error " + std::to_wstring(GetLastError()));
  return static_cast<LRESULT>(answer);
}

}  // namespace vdriver
