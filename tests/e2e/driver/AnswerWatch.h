// How long the program leaves its window without an answer, watched from
// outside while other commands drive a run: a WM_NULL every 50 ms, each
// answer timed. Gives no input, so it never disturbs what it measures.
#pragma once
#include "platform/win32/WinApi.h"

#include <string>
#include <vector>

namespace vdriver {

struct AnswerSample {
  double sentMs;    // since the watch began
  double answerMs;  // from the send to its answer
  std::wstring label;  // what the label control showed at the send, if one is watched
};

struct AnswerWatchOptions {
  double seconds;
  std::wstring stopFile;
  HWND label = nullptr;  // a control whose text names the phase (a run's stage)
};

// Watches until the stop file exists, the time is up or the window is gone.
std::vector<AnswerSample> WatchAnswers(HWND window, const AnswerWatchOptions& options);

// "longest-ms N", the count, median and 95th percentile, the longest gap
// between two answers, and the same per label.
std::vector<std::wstring> AnswerReport(const std::vector<AnswerSample>& samples);

}  // namespace vdriver
