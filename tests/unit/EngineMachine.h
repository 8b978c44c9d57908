// A fake machine without the main window, with disks that behave like small
// real volumes, and a run view that records what the run shows.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/RunDriver.h"
#include "lang/Language.h"
#include "services/Environment.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {

inline const std::wstring kData = L"C:\\Users\\test\\AppData\\Roaming\\VNL";

// What the run page and the finish page would show, and the answers a user
// would give through Stop, Pause and the boxes.
struct RecordingView : RunView {
  explicit RecordingView(fake::FakeClock& clock) : clock(clock), lastYieldMs(clock.now) { window.SetVisible(true); }

  bool stop = false, paused = false, shutdown = false;
  std::map<RunText, std::wstring> texts;
  std::vector<uint64_t> freeShown;  // every free-space figure the fill showed
  StepIcon steps[4] = {StepIcon::Pending, StepIcon::Pending, StepIcon::Pending, StepIcon::Pending};
  struct Row {
    std::wstring disk, info;
    bool ok = false;
  };
  std::map<int, Row> rows;
  bool stopButton = false, countdown = false, finished = false, soundRepeats = false;
  uint64_t longestWithoutYieldMs = 0;  // of virtual time without a turn of the window
  std::function<void()> onYield;       // at each turn of the window, as a user's click would
  fake::FakeClock& clock;
  uint64_t lastYieldMs;
  Form window{L"Start", 1000, 1000};

  bool StopRequested() override { return stop; }
  bool Paused() override { return paused; }
  bool SessionEnding() override { return false; }  // the run page's business
  bool ShutdownWhenDone() override { return shutdown; }
  bool SoundWhenDone() override { return true; }
  void Show(RunText which, const std::wstring& text) override {
    texts[which] = text;
    if (which == RunText::FreeBytes && !text.empty()) freeShown.push_back(std::stoull(text));
  }
  void ShowStep(int stage, StepIcon icon) override { steps[stage] = icon; }
  void ShowProgress(int64_t, int64_t) override {}
  void ShowRunProgress(int64_t, int64_t, bool) override {}
  void ShowStopButton(bool shown) override { stopButton = shown; }
  void ClearReport() override { rows.clear(); }
  void AddReportRow(int row, const std::wstring& disk, const std::wstring& info, bool ok) override {
    rows[row] = {disk, info, ok};
  }
  void PlayCompletionSound(bool thenRepeat) override { soundRepeats = thenRepeat; }
  void StartShutdownCountdown() override { countdown = true; }
  void ShowFinishPage() override { finished = true; }
  void Yield() override {
    longestWithoutYieldMs = std::max(longestWithoutYieldMs, clock.now - std::exchange(lastYieldMs, clock.now));
    if (onYield) onYield();
  }
  Form& Window() override { return window; }
};

// A machine whose disks are real little volumes: their free space is what
// the files on them leave.
struct EngineRig {
  FakeMachine m;
  RecordingView view{m.clock};
  std::unique_ptr<vantrel::Run> run;

  EngineRig() {
    m.files.MakeFolders(L"C:\\Users\\test\\AppData\\Roaming");
    m.drives.Plug({L"C"});
    InitEnvironment();
  }
  void Disk(wchar_t letter, uint64_t capacity, int type = drivetype::Fixed, const wchar_t* fs = L"NTFS") {
    fake::FakeDrive d{std::wstring(1, letter), type};
    d.volume = {fs, L"Data", -123456};
    m.drives.Plug(d);
    m.files.AddDrive(letter);
    m.files.capacity[letter] = capacity;
    if (std::wstring(fs).starts_with(L"FAT")) m.files.fat.insert(letter);
  }
  static RunPlan Plan(const std::wstring& letters, CleaningMode cleaning) {
    RunPlan plan;
    for (wchar_t letter : letters) plan.letters.emplace_back(1, letter);
    plan.cleaning = cleaning;
    return plan;
  }
  // A whole run as the run page starts it.
  void Clean(const RunPlan& plan) {
    run = std::make_unique<vantrel::Run>(plan, view);
    StartRun(*run);
  }
  void Clean(const std::wstring& letters, CleaningMode cleaning) { Clean(Plan(letters, cleaning)); }
  // The log's records, newest first; a record cut short of its CR LF fails
  // the test.
  std::vector<std::string> Log(const std::wstring& name = L"log.txt") {
    const std::string text = m.files.Contents(kData + L"\\" + name);
    EXPECT_TRUE(text.empty() || text.ends_with("\r\n")) << text;
    std::vector<std::string> lines = Split(text, "\r\n");
    lines.pop_back();
    return lines;
  }
  static std::string Field(const std::string& record, std::size_t index) {
    const auto fields = Split(record, "|");
    return index < fields.size() ? fields[index] : "<no field " + std::to_string(index) + ">";
  }
  static std::vector<std::string> Split(const std::string& text, const std::string& by) {
    std::vector<std::string> parts;
    for (std::size_t from = 0;; from += by.size()) {
      const std::size_t to = std::min(text.find(by, from), text.size());
      parts.push_back(text.substr(from, to - from));
      if ((from = to) == text.size()) return parts;
    }
  }
  // The status the newest record gives.
  std::string Status() {
    const auto log = Log();
    return log.empty() ? "<no record>" : Field(log[0], 0);
  }
};

struct Engine : ::testing::Test, EngineRig {};

}  // namespace vantrel::test
