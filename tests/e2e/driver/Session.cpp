// Windows waits for the answer to WM_QUERYENDSESSION before it goes on, so
// a program may finish its own clean-up first; the limit here only keeps a
// program that never answers from hanging the test. A program that ends
// while handling WM_ENDSESSION leaves that second message unanswered, which
// is what Windows expects of it, so its result is not looked at.
#include "tests/e2e/driver/Session.h"

#include "tests/e2e/driver/Common.h"

namespace vdriver {

LRESULT EndSession(HWND window, double seconds, bool cancelled) {
  const UINT ms = static_cast<UINT>(seconds * 1000);
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, ms, &answer)) {
    Fail(L"no answer to WM_QUERYENDSESSION within " + SecondsText(seconds) + L": error " +
         std::to_wstring(GetLastError()));
  }
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_ENDSESSION, answer != 0 && !cancelled, ENDSESSION_LOGOFF, SMTO_NORMAL, ms, &ignored);
  return static_cast<LRESULT>(answer);
}

}  // namespace vdriver
