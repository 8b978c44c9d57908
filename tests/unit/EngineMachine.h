// A fake machine with the program loaded and disks that behave like small
// real volumes, for tests that run the engine through the wizard.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/StartMachine.h"

namespace vantrel::test {

inline const std::wstring kData = L"C:\\Users\\test\\AppData\\Roaming\\VNL";

// A machine whose drive D is a real little volume: its free space is what
// the files on it leave.
struct Engine : ::testing::Test {
  using FakeDrive = fake::FakeDrive;
  StartMachine m;
  void SetUp() override { ASSERT_TRUE(m.Start()); }

  void Disk(wchar_t letter, uint64_t capacity, int type = drivetype::Fixed, const wchar_t* fs = L"NTFS") {
    FakeDrive d{std::wstring(1, letter), type};
    d.volume = {fs, L"Data", -123456};
    m.drives.Plug(d);
    m.files.AddDrive(letter);
    m.files.capacity[letter] = capacity;
    if (std::wstring(fs).rfind(L"FAT", 0) == 0) m.files.fat.insert(letter);
  }
  // Selects the disks, sets the modes and runs as Next on the review page does.
  void Run(const std::wstring& letters, int cleaningMode, int ntfsMode = 1) {
    for (wchar_t l : letters) m.Store(L"DiskSelection", std::wstring(1, l).c_str(), L"YES");
    m.Store(L"SecurityWay", L"Value", cleaningMode == 2 ? L"7" : L"");
    m.Store(L"NTFSMODE", L"VALUE", ntfsMode == 1 ? L"" : std::to_wstring(ntfsMode).c_str());
    m.form->ShowPage(2);  // the panel shows the stored selection
    m.form->ShowPage(5);
    m(L"Command1").Click();
    m.toolkit.RunFor(100);
  }
  std::vector<std::string> Log() {
    std::vector<std::string> lines;
    const std::string text = m.files.Contents(kData + L"\\log.txt");
    for (std::size_t s = 0, e; s < text.size(); s = e + 2) {
      e = text.find("\r\n", s);
      lines.push_back(text.substr(s, e - s));
    }
    return lines;
  }
  std::string Field(const std::string& record, int index) {
    std::size_t s = 0;
    for (int i = 0; i < index; ++i) s = record.find('|', s) + 1;
    return record.substr(s, record.find('|', s) - s);
  }
  const PictureData* Step(int i) { return m(L"StepImage", i).picture().get(); }
  const PictureData* Icon(const wchar_t* name) { return m(name).picture().get(); }
};

}  // namespace vantrel::test
