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

  bool stop = false, paused = false, sessionEnding = false, shutdown = false, sound = true;
  std::map<RunText, std::wstring> texts;
  // Every free-space figure the fill showed, in order.
  std::vector<uint64_t> freeShown;
  StepIcon steps[4] = {StepIcon::Pending, StepIcon::Pending, StepIcon::Pending, StepIcon::Pending};
  struct Row {
    std::wstring disk, info;
    bool ok = false;
  };
  std::map<int, Row> rows;
  bool stopButton = false, countdown = false, finished = false;
  int soundPlays = 0;
  bool soundRepeats = false;
  // The longest stretch of virtual time the window went without a turn.
  uint64_t longestWithoutYieldMs = 0;
  // Runs at each turn of the window, as a user's click would.
  std::function<void()> onYield;

  bool StopRequested() override { return stop; }
  bool Paused() override { return paused; }
  bool SessionEnding() override { return sessionEnding; }
  bool ShutdownWhenDone() override { return shutdown; }
  bool SoundWhenDone() override { return sound; }
  void Show(RunText which, const std::wstring& text) override {
    texts[which] = text;
    if (which == RunText::FreeBytes && !text.empty()) freeShown.push_back(std::stoull(text));
  }
  void ShowStep(int stage, StepIcon icon) override { steps[stage] = icon; }
  void ShowProgress(int64_t, int64_t) override {}
  void ShowStopButton(bool shown) override { stopButton = shown; }
  void ClearReport() override { rows.clear(); }
  void AddReportRow(int row, const std::wstring& disk, const std::wstring& info, bool ok) override {
    rows[row] = {disk, info, ok};
  }
  void PlayCompletionSound(bool thenRepeat) override {
    ++soundPlays;
    soundRepeats = thenRepeat;
  }
  void StartShutdownCountdown() override { countdown = true; }
  void ShowFinishPage() override { finished = true; }
  void Yield() override {
    longestWithoutYieldMs = std::max(longestWithoutYieldMs, clock.now - lastYieldMs);
    lastYieldMs = clock.now;
    if (onYield) onYield();
  }
  Form& Window() override { return window; }

  fake::FakeClock& clock;
  uint64_t lastYieldMs;
  Form window{L"Start", 1000, 1000};
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
    if (std::wstring(fs).rfind(L"FAT", 0) == 0) m.files.fat.insert(letter);
  }
  static RunPlan Plan(const std::wstring& letters, CleaningMode cleaning) {
    RunPlan plan;
    plan.letters = letters;
    plan.cleaning = cleaning;
    return plan;
  }
  // A whole run as the run page starts it.
  void Clean(const RunPlan& plan) {
    run = std::make_unique<vantrel::Run>(plan, view);
    StartRun(*run);
  }
  void Clean(const std::wstring& letters, CleaningMode cleaning) { Clean(Plan(letters, cleaning)); }
  // Runs `then` once, at the window's turn when stage `stage` (0 to 3) of
  // the first disk shows as in work, before its work begins.
  void AtStage(int stage, std::function<void()> then) {
    view.onYield = [this, stage, then, done = false]() mutable {
      if (done || view.steps[stage] != StepIcon::Current) return;
      done = true;
      then();
    };
  }
  // The log's records, newest first; a record cut short of its CR LF fails
  // the test.
  std::vector<std::string> Log(const std::wstring& name = L"log.txt") {
    std::vector<std::string> lines;
    const std::string text = m.files.Contents(kData + L"\\" + name);
    for (std::size_t s = 0; s < text.size();) {
      const std::size_t e = text.find("\r\n", s);
      if (e == std::string::npos) {
        ADD_FAILURE() << "a log record without CR LF: " << text.substr(s);
        break;
      }
      lines.push_back(text.substr(s, e - s));
      s = e + 2;
    }
    return lines;
  }
  // Field `index` (from 0) of a record; a record without it fails the test.
  static std::string Field(const std::string& record, int index) {
    std::size_t s = 0;
    for (int i = 0; i < index; ++i) {
      s = record.find('|', s);
      if (s == std::string::npos) {
        ADD_FAILURE() << "no field " << index << " in the record: " << record;
        return "<no field " + std::to_string(index) + ">";
      }
      ++s;
    }
    return record.substr(s, record.find('|', s) - s);
  }
  // The status the newest record gives.
  std::string Status() {
    const auto log = Log();
    return log.empty() ? "<no record>" : Field(log[0], 0);
  }
};

struct Engine : ::testing::Test, EngineRig {};

}  // namespace vantrel::test
