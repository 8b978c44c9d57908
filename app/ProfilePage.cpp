// The secondary window's computer-information page: the user may join the
// quality-improvement programme, which sends three facts about the computer;
// its button stores the choice and ends the program.
#include "app/SecondForm.h"
#include "lang/Language.h"
#include "maker/ComputerProfile.h"
#include "platform/Platform.h"
#include "services/Settings.h"

namespace vantrel {

void SecondForm::FillProfilePage() {
  Label16->SetCaption(LangText(L"CIP", L"C1"));
  Label4->SetCaption(LangText(L"CIP", L"C2"));
  Check1->SetCaption(LangText(L"CIP", L"C3"));
  Command8->SetCaption(LangText(L"CIP", L"C4"));
  Check1->SetValue(ReadSetting(kProgramSettings, L"Settings", L"CIP") == L"YES" ? 1 : 0);
}

void SecondForm::SaveProfileClick() {
  if (Check1->Value() == 1) {
    Command8->SetEnabled(false);
    ui.SetBusyPointer(true);
    SendComputerProfile();
    ui.SetBusyPointer(false);
    Command8->SetEnabled(true);
    WriteSetting(kProgramSettings, L"Settings", L"CIP", L"YES");
    // Unless the window was closed while the facts went out.
    if (ui.Visible()) MsgBox(LangText(L"CIP", L"THANKS"), mb::Information);
  } else {
    WriteSetting(kProgramSettings, L"Settings", L"CIP", L"NO");
  }
  ui.Close(kUnloadByProgram);
  Toolkit().EndProgram();
}

}  // namespace vantrel
