#include "app/Program.h"

#include "app/clean/CleanArguments.h"

#include "platform/Toolkit.h"

namespace vantrel {

bool Program::Start(const std::wstring& commandLine) {
  commandLine_ = commandLine;
  const Handover handover = start.Load(commandLine);
  switch (handover) {
    case Handover::Wizard:
      start.ui.SetVisible(true);
      return true;
    case Handover::LanguagePage:
    case Handover::SubscriptionPage:
      // The main window is never shown: the secondary window is the whole
      // program from here, and ends it.
      second = std::make_unique<SecondForm>();
      second->Load();
      if (handover == Handover::LanguagePage)
        second->ShowLanguagePage();
      else
        second->ShowSubscriptionPage();
      return true;
    case Handover::Clean:
      clean = std::make_unique<CleanForm>();
      return clean->Start(commandLine);
    case Handover::End: break;
  }
  return false;
}

int Program::ExitCode() const {
  if (clean) return clean->ExitCode();
  // A scheduled run that could not even begin must not read as done.
  return IsCleanVerb(commandLine_) ? kCleanNotStarted : 0;
}

int RunVantrel(const std::wstring& commandLine) {
  Program program;
  if (program.Start(commandLine)) Toolkit().Run();
  return program.ExitCode();
}

}  // namespace vantrel
