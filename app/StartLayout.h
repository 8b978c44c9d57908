// The controls of the main window, made where a window designer would have
// placed them and handed to the pages by what they are.
#pragma once
#include <vector>

#include "app/Wizard.h"
#include "app/pages/DiskPage.h"
#include "app/pages/FinishPage.h"
#include "app/pages/HistoryView.h"
#include "app/pages/Icons.h"
#include "app/pages/MethodPage.h"
#include "app/pages/ModePage.h"
#include "app/pages/ReviewPage.h"
#include "app/pages/RunPage.h"
#include "app/pages/WelcomePage.h"

namespace vantrel {

// In the order the controls are made: the page containers first, so that
// the controls after them draw above them.
struct StartLayout {
  std::vector<Control*> pages;
  WelcomeControls welcome;
  DiskControls disks;
  Icons icons;
  HistoryControls history;
  ModeControls modes;
  MethodControls method;
  ReviewControls review;
  RunControls run;
  FinishControls finish;
  WizardButtons buttons;
  Timer& startRun;
  // The texts that take the language's character set; buttons, check boxes
  // and options keep their own.
  std::vector<Control*> languageFont;
};

StartLayout BuildStartLayout(Form& form);

}  // namespace vantrel
