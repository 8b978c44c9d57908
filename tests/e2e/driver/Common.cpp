// Output, failure and argument parsing shared by the driver's commands.
#include "tests/e2e/driver/Common.h"

#include <cstdio>
#include <cwchar>

namespace vdriver {
namespace {

// Message texts end lines with "\r\n"; shell scripts reading the output want "\n".
void WriteLine(FILE* stream, std::wstring_view text) {
  std::wstring line;
  for (wchar_t c : text) {
    if (c != L'\r') line += c;
  }
  line += L'\n';
  const std::string bytes = Utf8(line);
  fwrite(bytes.data(), 1, bytes.size(), stream);
  fflush(stream);
}

}  // namespace

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}


void Fail(std::wstring reason) { throw Failure{std::move(reason)}; }

void PrintLine(std::wstring_view text) { WriteLine(stdout, text); }
void PrintErrorLine(std::wstring_view text) { WriteLine(stderr, text); }

double ParseSeconds(std::wstring_view text) {
  const std::wstring copy(text);
  wchar_t* end = nullptr;
  const double seconds = wcstod(copy.c_str(), &end);
  if (copy.empty() || *end != L'\0' || !(seconds >= 0 && seconds <= 3600)) {
    Fail(L"not a number of seconds (0 to 3600): '" + copy + L"'");
  }
  return seconds;
}

int ParseCount(std::wstring_view text) {
  const std::wstring copy(text);
  wchar_t* end = nullptr;
  const long count = wcstol(copy.c_str(), &end, 10);
  if (copy.empty() || *end != L'\0' || count < 1 || count > 1000) {
    Fail(L"not a count (1 to 1000): '" + copy + L"'");
  }
  return static_cast<int>(count);
}

std::wstring SecondsText(double seconds) {
  wchar_t text[32];
  swprintf(text, 32, L"%g s", seconds);
  return text;
}

}  // namespace vdriver
