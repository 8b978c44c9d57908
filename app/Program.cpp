#include "app/Program.h"

#include "platform/Toolkit.h"

namespace vantrel {

bool Program::Start(const std::wstring& commandLine) {
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
    case Handover::End: break;
  }
  return false;
}

int RunVantrel(const std::wstring& commandLine) {
  Program program;
  if (program.Start(commandLine)) Toolkit().Run();
  return 0;
}

}  // namespace vantrel
