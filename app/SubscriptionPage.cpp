// The secondary window's subscription page: the user may leave an e-mail
// address for the maker's newsletter; the endpoint's answer decides whether
// the page stays for another try or hands over to the computer-information
// page.
#include "app/SecondForm.h"
#include "lang/Language.h"
#include "maker/Subscription.h"
#include "platform/Platform.h"
#include "services/Breather.h"
#include "services/Settings.h"

namespace vantrel {

namespace {

constexpr uint32_t kSettleMs = 500;

std::wstring Text(const wchar_t* key) { return LangText(L"SUBSCRIBER", key); }

bool Holds(const std::string& answer, const char* marker) { return answer.find(marker) != std::string::npos; }

}  // namespace

void SecondForm::FillSubscriptionPage() {
  Label3->SetCaption(Text(L"GET-FREE-UPDATES"));
  Label2->SetCaption(Text(L"NEWSLETTER-INFO"));
  Label1->SetCaption(Text(L"ENTER-YOUR-EMAIL"));
  Command2->SetCaption(Text(L"SUBSCRIBE-BUTTON"));
  Command1->SetCaption(Text(L"CANCEL-BUTTON"));
  Text1->SetCaption(ReadSetting(kProgramSettings, L"Settings", L"Subscription Email"));
}

void SecondForm::SubscribeClick() {
  const std::wstring address = Text1->Caption();
  if (const std::wstring problem = EmailProblem(address); !problem.empty()) {
    MsgBox(Text(problem.c_str()), mb::Exclamation);
    Text1->SetFocus();
    return;
  }
  // Stored before any contact, so that it is kept when sending fails.
  WriteSetting(kProgramSettings, L"Settings", L"Subscription Email", address);
  // The window answers while the request runs: neither a second request
  // nor a change of page may start meanwhile.
  Command2->SetEnabled(false);
  Command1->SetEnabled(false);
  ui.SetBusyPointer(true);
  const std::optional<std::string> answer = SendSubscription(address);
  WaitAnswering(kSettleMs, DoEvents);
  ui.SetBusyPointer(false);
  // Whatever the answer, the page is ready for another try or is left.
  Command1->SetEnabled(true);
  Command2->SetEnabled(true);
  // Closed meanwhile: the program is ending, and nobody is left to tell.
  if (!ui.Visible()) return;
  if (!answer) {
    MsgBox(Text(L"WRONG-SERVER-RESPONSE"), mb::Exclamation);
    return;
  }
  if (Holds(*answer, "[OKAY]")) MsgBox(Text(L"OK-SERVER-RESPONSE"), mb::Information);
  if (Holds(*answer, "[ERROR]")) {
    MsgBox(Text(L"WRONG-SERVER-RESPONSE"), mb::Information);
    return;
  }
  if (Holds(*answer, "[ALREADY-SUBSCRIBED]")) MsgBox(Text(L"ALREADY-SERVER-RESPONSE"), mb::Information);
  ShowProfilePage();
}

}  // namespace vantrel
