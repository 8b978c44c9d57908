#include "app/second/ProfilePage.h"

#include "app/ControlArray.h"
#include "app/second/SecondForm.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "maker/ComputerProfile.h"
#include "services/Settings.h"

namespace vantrel {

ProfilePage::ProfilePage(const ProfileControls& controls, SecondForm& form) : ProfileControls(controls), form_(form) {
  join.onClick = [this] { joined_ = Ticked(join); };
  save.onClick = [this] { Save(); };
}

void ProfilePage::Fill() { join.SetValue(ReadSetting(kProgramSettings, L"Settings", L"CIP") == L"YES" ? 1 : 0); }

void ProfilePage::Save() {
  Form& window = page.form();
  if (joined_) {
    save.SetEnabled(false);
    window.SetBusyPointer(true);
    SendComputerProfile();
    window.SetBusyPointer(false);
    save.SetEnabled(true);
    WriteSetting(kProgramSettings, L"Settings", L"CIP", L"YES");
    // Unless the window was closed while the facts went out.
    if (window.Visible()) MsgBox(LangText(L"CIP", L"THANKS"), mb::Information);
  } else {
    WriteSetting(kProgramSettings, L"Settings", L"CIP", L"NO");
  }
  form_.End();
}

}  // namespace vantrel
