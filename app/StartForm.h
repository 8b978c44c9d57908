// The main window `Start`: a wizard of seven pages over one model of the
// user's choices, and its start-up sequence.
#pragma once
#include <string>

#include "app/ChoicesModel.h"
#include "app/CommandLine.h"
#include "app/StartLayout.h"
#include "app/Wizard.h"
#include "app/pages/DiskPage.h"
#include "app/pages/FinishPage.h"
#include "app/pages/HistoryView.h"
#include "app/pages/MethodPage.h"
#include "app/pages/ModePage.h"
#include "app/pages/ReviewPage.h"
#include "app/pages/RunPage.h"
#include "app/pages/WelcomePage.h"
#include "platform/Toolkit.h"

namespace vantrel {

class StartForm {
 public:
  static constexpr int kWidthTwips = 10800;  // 720 pixels at 96 DPI
  static constexpr int kHeightTwips = 7500;  // 500 pixels at 96 DPI

  StartForm();

  // The start-up sequence. Wizard when the window is ready to show; else
  // where a command-line verb hands over, or End after a fatal start-up
  // message or a verb that did its job.
  Handover Load(const std::wstring& commandLine);

  Form ui;
  // The pictures the pages share.
  const Icons& icons() const { return layout_.icons; }

 private:
  StartLayout layout_;

 public:
  ChoicesModel choices;
  Wizard wizard;
  WelcomePage welcome;
  HistoryView history;
  DiskPage disks;
  ModePage modes;
  MethodPage method;
  ReviewPage review;
  FinishPage finish;
  RunPage run;

 private:
  // A choice the settings store refused holds for this session; the user
  // hears of it once.
  void ChoiceUnstored();
  bool toldUnstored_ = false;
};

}  // namespace vantrel
