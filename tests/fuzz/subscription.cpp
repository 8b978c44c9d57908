// The endpoint's answer to a subscription, through the page that sends it:
// the answer file is gone afterwards and the address stays stored.
#include "app/second/SecondForm.h"
#include "tests/fuzz/FuzzMachine.h"

void vantrel::test::Fuzz(const std::string& input) {
  FuzzMachine m;
  m.http.answer = input;
  SecondForm form;
  form.Load();
  form.ShowSubscriptionPage();
  form.subscription.address.SetCaption(L"reader@example.com");
  form.subscription.subscribe.Click();
  Require(!m.files.FileExists(L"C:\\Users\\test\\AppData\\Roaming\\brisen-2.2.txt"));
  Require(ReadSetting(kProgramSettings, L"Settings", L"Subscription Email") == L"reader@example.com");
}
