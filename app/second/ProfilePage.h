// The secondary window's computer-information page: the user may join the
// quality-improvement programme, which sends three facts about the computer;
// its button stores the choice and ends the program.
#pragma once
#include "platform/Toolkit.h"

namespace vantrel {

class SecondForm;

struct ProfileControls {
  Control &page, &heading, &explanation, &join, &save;
};

class ProfilePage : public ProfileControls {
 public:
  ProfilePage(const ProfileControls& controls, SecondForm& form);
  // The answer given last time.
  void Fill();

 private:
  void Save();

  SecondForm& form_;
  bool joined_ = false;
};

}  // namespace vantrel
