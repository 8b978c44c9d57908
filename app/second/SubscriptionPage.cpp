#include "app/second/SubscriptionPage.h"

#include "app/second/SecondForm.h"
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

SubscriptionPage::SubscriptionPage(const SubscriptionControls& controls, SecondForm& form)
    : SubscriptionControls(controls), form_(form) {
  subscribe.onClick = [this] { Subscribe(); };
  decline.onClick = [this] { form_.ShowProfilePage(); };
}

void SubscriptionPage::Fill() {
  address.SetCaption(ReadSetting(kProgramSettings, L"Settings", L"Subscription Email"));
}

// The field's text is what the user typed: the one caption read here.
void SubscriptionPage::Subscribe() {
  const std::wstring typed = address.Caption();
  if (const std::wstring problem = EmailProblem(typed); !problem.empty()) {
    MsgBox(Text(problem.c_str()), mb::Exclamation);
    address.SetFocus();
    return;
  }
  // Stored before any contact, so that it is kept when sending fails.
  WriteSetting(kProgramSettings, L"Settings", L"Subscription Email", typed);
  // The window answers while the request runs: neither a second request
  // nor a change of page may start meanwhile.
  subscribe.SetEnabled(false);
  decline.SetEnabled(false);
  Form& window = page.form();
  window.SetBusyPointer(true);
  const std::optional<std::string> answer = SendSubscription(typed);
  WaitAnswering(kSettleMs, DoEvents);
  window.SetBusyPointer(false);
  // Whatever the answer, the page is ready for another try or is left.
  decline.SetEnabled(true);
  subscribe.SetEnabled(true);
  // Closed meanwhile: the program is ending, and nobody is left to tell.
  if (!window.Visible()) return;
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
  form_.ShowProfilePage();
}

}  // namespace vantrel
