// A fake machine with the program installed as it ships (the real English
// file, the background picture) and a main window ready to load.
#pragma once
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "services/Settings.h"
#include "app/StartForm.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {

inline std::string ShippedFile(const char* relative) {
  std::ifstream in(std::filesystem::path(VANTREL_SOURCE_DIR) / relative, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct StartMachine : FakeMachine {
  StartMachine() {
    PutLanguage(L"English", ShippedFile("dist/Languages/English.ini"));
    files.PutFile(kAppFolder + L"\\program-back.jpg", "jpeg");
    files.MakeFolders(L"C:\\Users\\test\\AppData\\Roaming");
    system.majorVersion = 10;
    drives.Plug({L"C"});
  }
  std::wstring Setting(const wchar_t* section, const wchar_t* key) {
    return ReadSetting(kProgramSettings, section, key);
  }
  void Store(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    WriteSetting(kProgramSettings, section, key, value);
  }
  // Creates and loads the main window; false when start-up ended the program.
  bool Start(const std::wstring& commandLine = L"") {
    form = std::make_unique<StartForm>();
    return form->Load(commandLine) == Handover::Wizard;
  }
  Control& operator()(const std::wstring& name, int index = -1) { return form->ui(name, index); }
  std::wstring Text(const wchar_t* section, const wchar_t* key);
  std::unique_ptr<StartForm> form;
};

}  // namespace vantrel::test
