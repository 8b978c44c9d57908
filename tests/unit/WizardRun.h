// The main window with disks beside C:, and a walk through the pages that
// starts a run as a user would.
#pragma once
#include <gtest/gtest.h>

#include "tests/unit/EngineMachine.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {

struct WizardRun : ::testing::Test {
  StartMachine m;
  void SetUp() override { ASSERT_TRUE(m.Start()); }
  void Disk(wchar_t letter, uint64_t capacity) {
    m.drives.Plug({std::wstring(1, letter)});
    m.files.AddDrive(letter);
    m.files.capacity[letter] = capacity;
  }
  // Ticks the disks on the panel, picks the modes on their pages, and
  // presses Next on the review page.
  void Walk(const std::wstring& letters, Control* cleaning, Control* method) {
    m.form->ShowPage(2);
    for (int i = 0; i <= m.form->c.DiskLabel.UBound(); ++i)
      if (letters.find(m.form->c.DiskLabel[i].Caption()) != std::wstring::npos) m.form->c.DiskLabel[i].Click();
    cleaning->Click();
    method->Click();
    m.form->ShowPage(5);
    m.form->c.Command1->Click();
  }
  std::string LogText() { return m.files.Contents(kData + L"\\log.txt"); }
};

}  // namespace vantrel::test
