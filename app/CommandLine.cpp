#include "app/CommandLine.h"

#include "app/Install.h"
#include "app/Uninstall.h"
#include "lang/Language.h"
#include "lang/LanguageFiles.h"
#include "lang/TranslationCheck.h"
#include "maker/UpdateCheck.h"
#include "platform/Platform.h"
#include "maker/UpdateCheck.h"

namespace vantrel {

Handover DispatchVerb(const std::wstring& commandLine) {
  if (commandLine == L"lang") return Handover::LanguagePage;
  if (commandLine == L"subscribe") return Handover::SubscriptionPage;
  if (commandLine == L"updates") {
    CheckForUpdatesNow();
    return Handover::End;
  }
  if (commandLine == L"install") {
    InstallJob();
    return Handover::End;
  }
  if (commandLine == L"uninstall") {
    UninstallJob();
    return Handover::End;
  }
  if (commandLine == L"langaudit") {
    CheckTranslations(LanguageFiles());
    return Handover::End;
  }
  return Handover::Wizard;
}

bool RestartWithVerb(const std::wstring& verb) {
  // Quoted, because the application folder usually holds blanks
  // ("Program Files"), which would otherwise split the program's path.
  const std::wstring exe = Os().system->ApplicationFolder() + L"\\" + Os().system->ExecutableBaseName() + L".exe";
  if (Os().shell->StartProcess(L"\"" + exe + L"\" " + verb, false)) return true;
  MsgBox(LangText(L"ERRORS", L"NOT-STARTED-AGAIN"), mb::Exclamation);
  return false;
}

}  // namespace vantrel
