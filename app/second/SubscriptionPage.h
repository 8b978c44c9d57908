// The secondary window's subscription page: the user may leave an e-mail
// address for the maker's newsletter; the endpoint's answer decides whether
// the page stays for another try or hands over to the computer-information
// page.
#pragma once
#include "platform/Toolkit.h"

namespace vantrel {

class SecondForm;

struct SubscriptionControls {
  Control &page, &heading, &explanation, &prompt, &address, &subscribe, &decline;
};

class SubscriptionPage : public SubscriptionControls {
 public:
  SubscriptionPage(const SubscriptionControls& controls, SecondForm& form);
  // The address last sent.
  void Fill();

 private:
  void Subscribe();

  SecondForm& form_;
};

}  // namespace vantrel
