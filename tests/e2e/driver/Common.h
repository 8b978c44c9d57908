// What every command of the driver shares: ending with a reason, printing
// UTF-8, reading numbers from the command line, and waiting with a deadline.
#pragma once
#include "platform/win32/WinApi.h"

#include <string>
#include <string_view>

namespace vdriver {

// Thrown by Fail; main prints the reason on stderr and exits with 1.
struct Failure {
  std::wstring reason;
};
[[noreturn]] void Fail(std::wstring reason);

std::string Utf8(std::wstring_view text);

// One line on stdout or stderr, UTF-8, "\n" line ends whatever the text has.
void PrintLine(std::wstring_view text);
void PrintErrorLine(std::wstring_view text);

double ParseSeconds(std::wstring_view text);
int ParseCount(std::wstring_view text);

// The longest a command waits for the program to answer one message. More
// than the ~2 s Wine stalls a thread that hides a top-level window.
constexpr UINT kAnswerMs = 5000;

// Calls probe every 50 ms until it returns something truthy or the time is up;
// returns the last result.
template <class Probe>
auto WaitFor(double seconds, Probe probe) -> decltype(probe()) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    auto found = probe();
    if (found || GetTickCount64() >= deadline) return found;
    Sleep(50);
  }
}

// "2 s", "0.5 s": for messages.
std::wstring SecondsText(double seconds);

}  // namespace vdriver
