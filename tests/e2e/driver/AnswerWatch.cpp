// Timing answers from outside. Each probe waits for its answer however late
// it comes (no abort-if-hung, a minute's limit), because a late answer is
// the figure, not a failure. The label is read with a timed message of its
// own right after each answer; the window may stall during that read too,
// so its time counts as well.
#include "tests/e2e/driver/AnswerWatch.h"

#include "tests/e2e/driver/Common.h"

#include <algorithm>
#include <cwchar>
#include <map>

namespace vdriver {
namespace {

constexpr double kEveryMs = 50;
constexpr UINT kLateLimitMs = 60000;
// A person notices a window that does not answer for longer than this.
constexpr double kNoticeableMs = 250;

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds until window answers msg; negative when it never did.
double TimeAnswer(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  const double start = NowMs();
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(window, msg, wp, lp, SMTO_NORMAL, kLateLimitMs, &ignored)) {
    return IsWindow(window) ? kLateLimitMs : -1;
  }
  return NowMs() - start;
}

std::wstring ReadLabel(HWND label, double& answerMs) {
  wchar_t text[256] = {};
  answerMs = TimeAnswer(label, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  std::wstring line = text;
  std::replace_if(line.begin(), line.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }, L' ');
  return line;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring Ms(double ms) {
  wchar_t text[32];
  swprintf(text, 32, L"%.0f", ms);
  return text;
}

double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t at = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(at, values.size() - 1)];
}

std::wstring Figures(const std::vector<AnswerSample>& samples) {
  std::vector<double> answers;
  for (const AnswerSample& s : samples) answers.push_back(s.answerMs);
  const size_t late = std::count_if(answers.begin(), answers.end(), [](double a) { return a > kNoticeableMs; });
  return L"count " + std::to_wstring(answers.size()) + L" median-ms " + Ms(Percentile(answers, 0.5)) +
         L" p95-ms " + Ms(Percentile(answers, 0.95)) + L" longest-ms " +
         Ms(answers.empty() ? 0 : *std::max_element(answers.begin(), answers.end())) + L" over-" +
         Ms(kNoticeableMs) + L"ms " + std::to_wstring(late);
}

}  // namespace

std::vector<AnswerSample> WatchAnswers(HWND window, const AnswerWatchOptions& options) {
  std::vector<AnswerSample> samples;
  const double start = NowMs(), end = start + options.seconds * 1000;
  double labelMs = 0;
  std::wstring shown = options.label ? ReadLabel(options.label, labelMs) : L"";
  for (double next = start; NowMs() < end && !Exists(options.stopFile); next += kEveryMs) {
    const double wait = next - NowMs();
    if (wait > 0) Sleep(static_cast<DWORD>(wait));
    else next = NowMs();  // after a late answer, probe again at once
    const double sent = NowMs();
    const double answer = TimeAnswer(window, WM_NULL, 0, 0);
    if (answer < 0) break;  // the window is gone
    AnswerSample sample{sent - start, answer, shown};
    if (options.label && IsWindow(options.label)) {
      shown = ReadLabel(options.label, labelMs);
      sample.answerMs = std::max(sample.answerMs, labelMs);
    }
    samples.push_back(sample);
  }
  return samples;
}

std::vector<std::wstring> AnswerReport(const std::vector<AnswerSample>& samples) {
  std::vector<std::wstring> lines;
  double longest = 0, longestGap = 0, previousAnswer = -1;
  for (const AnswerSample& s : samples) {
    longest = std::max(longest, s.answerMs);
    const double answered = s.sentMs + s.answerMs;
    if (previousAnswer >= 0) longestGap = std::max(longestGap, answered - previousAnswer);
    previousAnswer = answered;
  }
  lines.push_back(L"longest-ms " + Ms(longest));
  lines.push_back(L"longest-gap-ms " + Ms(longestGap));
  lines.push_back(L"all " + Figures(samples));
  std::map<std::wstring, std::vector<AnswerSample>> byLabel;
  std::vector<std::wstring> order;
  for (const AnswerSample& s : samples) {
    if (!byLabel.count(s.label)) order.push_back(s.label);
    byLabel[s.label].push_back(s);
  }
  if (order.size() > 1 || (order.size() == 1 && !order[0].empty())) {
    for (const std::wstring& label : order) lines.push_back(L"label \"" + label + L"\" " + Figures(byLabel[label]));
  }
  for (const AnswerSample& s : samples) {
    if (s.answerMs > kNoticeableMs) {
      lines.push_back(L"late at-ms " + Ms(s.sentMs) + L" answer-ms " + Ms(s.answerMs) + L" label \"" + s.label + L"\"");
    }
  }
  return lines;
}

}  // namespace vdriver
