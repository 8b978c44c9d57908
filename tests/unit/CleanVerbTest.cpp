// The verb "clean": its words, the run it makes through its own small
// window, and the exit code a scheduled task reads.
#include <gtest/gtest.h>

#include "app/Program.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

// D: and E: are disks, K: a CD drive; the wizard stored full cleaning with
// the most name files.
struct CleanMachine : StartMachine {
  CleanMachine() {
    Disk(L'D', 20'000'000);
    Disk(L'E', 20'000'000);
    drives.Plug({L"K", drivetype::CdRom});
    Store(L"SecurityWay", L"Value", L"7");
    Store(L"NTFSMODE", L"VALUE", L"3");
  }
  // Starts the program with the command line and lets it run to its end.
  int Clean(const std::wstring& commandLine) {
    program = std::make_unique<Program>();
    if (program->Start(commandLine)) toolkit.RunFor(100);
    return program->ExitCode();
  }
  // Each record, newest first, as status, letter, cleaning and NTFS mode.
  std::string Logged() {
    std::string logged;
    for (const std::string& r : EngineRig::Split(files.Contents(kData + L"\\log.txt"), "\r\n"))
      if (!r.empty()) logged += (logged.empty() ? "" : ",") + EngineRig::Field(r, 0) + EngineRig::Field(r, 4) +
                                EngineRig::Field(r, 8) + EngineRig::Field(r, 9);
    return logged;
  }
  std::unique_ptr<Program> program;
};

// Good words run the disks in the order named and log them as the wizard's
// run does; a wrong word is named in a box, with the form to write, and
// nothing is cleaned, stored or shown; each outcome has its own code.
TEST(CleanVerb, TheWordsMakeThePlanOrABoxThatChangesNothingAndEachOutcomeHasItsCode) {
  struct Case {
    const wchar_t* line;
    int code;
    const wchar_t* refusal;  // the key of the box's first words, in [CLEAN]
    const char* logged;
    void (*before)(CleanMachine&) = nullptr;
  };
  const Case cases[] = {
      {L"clean D: quick ntfs2", kCleanCompleted, nullptr, "1D12"},
      {L"clean  e:\tD: ", kCleanCompleted, nullptr, "1D23,1E23"},
      {L"clean", kCleanBadArguments, L"NO-DISK", ""},
      {L"clean D: X:", kCleanBadArguments, L"NOT-CLEANABLE", ""},
      {L"clean D: K:", kCleanBadArguments, L"NOT-CLEANABLE", ""},
      {L"clean D: quick FULL", kCleanBadArguments, L"MODE-TWICE", ""},
      {L"clean ntfs1 D: ntfs3", kCleanBadArguments, L"NTFS-TWICE", ""},
      {L"clean D: E: d:", kCleanBadArguments, L"DISK-TWICE", ""},
      {L"clean D: ntfs4", kCleanBadArguments, L"UNKNOWN-WORD", ""},
      {L"clean D:\\", kCleanBadArguments, L"UNKNOWN-WORD", ""},
      {L"clean DE:", kCleanBadArguments, L"UNKNOWN-WORD", ""},
      // The drive's facts cannot be read: the disk fails, the next one runs.
      {L"clean D: E:", kCleanDiskFailed, nullptr, "1E23,2D23",
       [](CleanMachine& m) { m.files.faults.Fail(fake::FsOp::Volume, 1, FsFailure::Gone); }},
      {L"clean D:", kCleanNotStarted, nullptr, "", [](CleanMachine& m) { m.system.machineLocks.insert(L"Vantrel.Run"); }},
      {L"clean D:", kCleanNotStarted, nullptr, "", [](CleanMachine& m) { m.Store(L"Settings", L"Language", L"Dutch"); }},
  };
  for (const Case& c : cases) {
    CleanMachine m;
    if (c.before) c.before(m);
    EXPECT_EQ(m.Clean(c.line), c.code) << c.line;
    EXPECT_EQ(m.Logged(), c.logged) << c.line;
    EXPECT_FALSE(m.files.FolderExists(L"D:\\VNL_temp") || m.files.FolderExists(L"E:\\VNL_temp")) << c.line;
    EXPECT_EQ(m.toolkit.ended, *c.logged != 0) << c.line;
    if (c.refusal) {
      const std::wstring box = m.Boxes().empty() ? L"" : m.Boxes()[0];
      EXPECT_TRUE(m.Boxes().size() == 1 && box.starts_with(Text(L"CLEAN", c.refusal)) &&
                  box.find(Text(L"CLEAN", L"NOT-CLEANED")) != std::wstring::npos &&
                  box.ends_with(L"clean D: [E: ...] [quick|full] [ntfs1|ntfs2|ntfs3]"))
          << c.line << ": " << box;
      EXPECT_EQ(m.toolkit.shownForms, 0) << c.line;
      EXPECT_EQ(m.Setting(L"SecurityWay", L"Value") + m.Setting(L"NTFSMODE", L"VALUE"), L"73") << c.line;
    } else if (*c.logged) {
      EXPECT_TRUE(m.Boxes().empty() && m.program->clean && !m.program->clean->ui.Visible()) << c.line;
    }
  }
}

// Stop, or the close box, during the fill of the first of two disks: the
// window stays until the run has ended, both disks are logged as stopped,
// no work folder stays and the free space is back.
TEST(CleanVerb, StopOrTheCloseBoxEndsTheRunAsStoppedWithTheDisksClean) {
  for (bool closeBox : {false, true}) {
    CleanMachine m;
    const auto free = m.drives.AvailableSpace(L"D:");
    m.program = std::make_unique<Program>();
    ASSERT_TRUE(m.program->Start(L"clean D: E:") && m.program->clean);
    CleanForm& w = *m.program->clean;
    m.Watch([&] {
      if (w.status.Caption().find(Text(L"VERSION3", L"STEP3-TITLE")) == std::wstring::npos || w.progress.Value() == 0)
        return false;
      if (closeBox)
        EXPECT_FALSE(w.ui.Close(kUnloadCloseBox));
      else
        w.stop.Click();
      EXPECT_TRUE(w.ui.Visible() && !w.stop.Enabled());
      return true;
    });
    m.toolkit.RunFor(100);
    EXPECT_EQ(m.program->ExitCode(), kCleanStopped);
    EXPECT_EQ(m.Logged(), "0E23,0D23");
    EXPECT_TRUE(m.toolkit.ended && !w.ui.Visible() && !m.files.FolderExists(L"D:\\VNL_temp"));
    EXPECT_EQ(m.drives.AvailableSpace(L"D:"), free);
  }
}

}  // namespace
}  // namespace vantrel::test
