// WinINet does its work on a thread of its own: a connect or a read blocks
// until the server answers, and the window must answer meanwhile. The
// caller's thread waits for the body, letting window events through, and
// closes the session at the time-out, which ends a call that is still
// blocked. Closing the handles is the worker's own business after the body
// is handed over: WinINet may read the rest of a long answer on closing, and
// the caller does not wait for that.
#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"

#include <wininet.h>

#include <algorithm>
#include <memory>

namespace vantrel::win32 {

namespace {

constexpr DWORD kBlock = 2048;
constexpr DWORD kPumpEveryMs = 25;

struct Fetch {
  Fetch() : done(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~Fetch() {
    if (done) CloseHandle(done);
  }
  Fetch(const Fetch&) = delete;
  Fetch& operator=(const Fetch&) = delete;
  HttpGet request;
  std::string body;
  bool ok = false;
  // Set once the worker no longer touches body and ok.
  HANDLE done;
  void* volatile session = nullptr;
  volatile LONG abandoned = 0;
};

// Whoever takes the session first closes it: the worker when it ends, the
// caller at the time-out.
void CloseSession(Fetch& fetch) {
  if (HINTERNET s = InterlockedExchangePointer(const_cast<void**>(&fetch.session), nullptr)) InternetCloseHandle(s);
}

void ReadBody(Fetch& f, HINTERNET url) {
  char block[kBlock];
  while (f.body.size() < f.request.maxBytes) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(kBlock, f.request.maxBytes - f.body.size()));
    DWORD got = 0;
    if (!InternetReadFile(url, block, want, &got)) return;
    if (got == 0) break;
    f.body.append(block, got);
  }
  f.ok = true;
}

DWORD WINAPI Work(void* param) {
  const std::unique_ptr<std::shared_ptr<Fetch>> own(static_cast<std::shared_ptr<Fetch>*>(param));
  Fetch& f = **own;
  HINTERNET session = InternetOpenW(f.request.agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (!session) {
    SetEvent(f.done);
    return 0;
  }
  DWORD timeout = f.request.timeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
    InternetSetOptionW(session, option, &timeout, sizeof timeout);
  f.session = session;
  HINTERNET url = f.abandoned ? nullptr
                              : InternetOpenUrlW(session, f.request.url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
  if (url) ReadBody(f, url);
  SetEvent(f.done);
  CloseSession(f);
  if (url) InternetCloseHandle(url);
  return 0;
}

}  // namespace

bool Win32Http::Get(const HttpGet& request, std::string& body, const std::function<void()>& pump) {
  body.clear();
  auto fetch = std::make_shared<Fetch>();
  if (!fetch->done) return false;
  fetch->request = request;
  auto* param = new std::shared_ptr<Fetch>(fetch);
  HANDLE thread = CreateThread(nullptr, 0, Work, param, 0, nullptr);
  if (!thread) {
    delete param;
    return false;
  }
  CloseHandle(thread);
  const ULONGLONG deadline = GetTickCount64() + request.timeoutMs;
  while (MsgWaitForMultipleObjects(1, &fetch->done, FALSE, kPumpEveryMs, QS_ALLINPUT) != WAIT_OBJECT_0) {
    if (pump) pump();
    if (GetTickCount64() >= deadline) {
      // The worker may stay blocked (Wine does not end a pending call when
      // its session closes); it ends on its own and owns what it reads.
      fetch->abandoned = 1;
      CloseSession(*fetch);
      return false;
    }
  }
  body = std::move(fetch->body);
  return fetch->ok;
}

}  // namespace vantrel::win32
