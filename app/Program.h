// The program from its start to its end, on any platform that has been installed.
#pragma once
#include <memory>
#include <string>

#include "app/second/SecondForm.h"
#include "app/StartForm.h"
#include "app/clean/CleanForm.h"

namespace vantrel {

// The windows of one process: the main window, which always loads first,
// and the secondary window that a verb may hand over to.
class Program {
 public:
  // Loads the main window with the command line and shows whichever window
  // start-up ends on. False when no window is left and the process ends.
  bool Start(const std::wstring& commandLine);
  // 0, or the outcome of the verb "clean" (CleanExit), once the program ends.
  int ExitCode() const;

  StartForm start;
  std::unique_ptr<SecondForm> second;
  std::unique_ptr<CleanForm> clean;

 private:
  std::wstring commandLine_;
};

// Returns the process's exit code.
int RunVantrel(const std::wstring& commandLine);

}  // namespace vantrel
