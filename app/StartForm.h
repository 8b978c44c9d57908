// The main window `Start`: the seven-page wizard, its controls and the state
// it owns for the life of the process.
#pragma once
#include <cstdint>
#include <string>

#include "engine/RunState.h"
#include "platform/Toolkit.h"

namespace vantrel {

class StartForm {
 public:
  static constexpr int kWidthTwips = 10800;  // 720 pixels at 96 DPI
  static constexpr int kHeightTwips = 7500;  // 500 pixels at 96 DPI

  StartForm();

  // The start-up sequence. False when the program ends instead of showing
  // the wizard: a fatal start-up message, or a command-line verb that did its job.
  bool Load(const std::wstring& commandLine);

  void ShowPage(int page);
  void NextClick();
  void BackClick();
  void StopClick();
  // True keeps the window open.
  bool QueryUnload(int unloadMode);

  // The last page, the upper bound of the page array.
  int LastPage() const { return ui.UBound(L"win"); }
  Control& operator()(const std::wstring& name, int index = -1) const { return ui(name, index); }
  Timer& timer(const std::wstring& name) const { return ui.timer(name); }

  Form ui;
  int16_t CurrentPage = 0;
  RunState run;

 private:
  void BuildControls();
  void WireChoices();
  void SetCaptions();
  void RestoreModes();
  void RestoreExtras();
  void FillReviewPage();
  void CloseAndEnd();
};

// A check box counts as ticked only with the value 1.
inline bool Ticked(const Control& box) { return box.Value() == 1; }

}  // namespace vantrel
