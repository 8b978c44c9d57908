// A fake machine with the program installed as it ships (the real English
// file, the background picture), its main window, and a user's moves on it.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/StartForm.h"
#include "services/Settings.h"
#include "tests/unit/EngineMachine.h"

namespace vantrel::test {

// A file of the source tree, or any file by its full path.
inline std::string ShippedFile(const std::filesystem::path& relative) {
  std::ifstream in(std::filesystem::path(VANTREL_SOURCE_DIR) / relative, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::wstring Text(const wchar_t* section, const wchar_t* key) { return LangText(section, key); }
using Texts = std::vector<std::wstring>;

// One machine at a time: each installs itself as the platform.
struct StartMachine : FakeMachine {
  StartMachine() {
    PutLanguage(L"English", ShippedFile("dist/Languages/English.ini"));
    files.PutFile(kAppFolder + L"\\program-back.jpg", "jpeg");
    files.MakeFolders(L"C:\\Users\\test\\AppData\\Roaming");
    system.majorVersion = 10;
    drives.Plug({L"C"});
  }
  std::wstring Setting(const wchar_t* section, const wchar_t* key) { return ReadSetting(kProgramSettings, section, key); }
  void Store(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    WriteSetting(kProgramSettings, section, key, value);
  }
  void Disk(wchar_t letter, uint64_t capacity = 100'000'000) {
    drives.Plug({std::wstring(1, letter)});
    files.AddDrive(letter);
    files.capacity[letter] = capacity;
  }
  // Creates and loads the main window; false when start-up ended the program.
  bool Start(const std::wstring& commandLine = L"") {
    form = std::make_unique<StartForm>();
    return form->Load(commandLine) == Handover::Wizard;
  }
  // Calls `step` at each turn of the window from now on until it returns
  // true; the disk's calls let virtual time pass meanwhile.
  void Watch(std::function<bool()> step) {
    files.faults.msPerCall = std::max(files.faults.msPerCall, 1u);
    toolkit.At(clock.now + 1, [this, step] {
      if (!step()) Watch(step);
    });
  }
  std::unique_ptr<StartForm> form;
};

// The main window, loaded in SetUp unless a test prepares the machine first.
struct Window : ::testing::Test {
  StartMachine m;
  StartForm* f = nullptr;
  void SetUp() override { Begin(); }
  void Begin() {
    ASSERT_TRUE(m.Start());
    f = m.form.get();
  }
  void Next() { f->wizard.buttons.next.Click(); }
  int Page() { return f->wizard.CurrentPage(); }
  // Clicks the slots of these letters on the disk page.
  void Choose(const std::wstring& letters) {
    for (std::size_t i = 0; i < f->disks.Slots().size(); ++i)
      if (letters.find(f->disks.Slots()[i].letter) != std::wstring::npos) f->disks.letters[static_cast<int>(i)].Click();
  }
  // Chooses the disks and the modes and presses Next on the review page.
  void Walk(const std::wstring& letters, Control& cleaning, Control& method) {
    f->wizard.ShowPage(2);
    Choose(letters);
    cleaning.Click();
    method.Click();
    f->wizard.ShowPage(5);
    Next();
  }
  std::string LogText() { return m.files.Contents(kData + L"\\log.txt"); }
};

}  // namespace vantrel::test
