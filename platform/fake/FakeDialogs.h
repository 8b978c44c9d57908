// Records every message box and answers from a script; an unscripted box
// gets its first button (OK or Yes).
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace vantrel::fake {

struct ShownMessage {
  std::wstring text;
  int style = 0;
  std::wstring title;
};

class FakeDialogs : public Dialogs {
 public:
  std::vector<ShownMessage> shown;
  std::deque<int> answers;
  int Show(const std::wstring& text, int style, const std::wstring& title) override;
};

}  // namespace vantrel::fake
