// Message boxes, with the style and answer codes the program speaks in.
#pragma once
#include <string>

namespace vantrel {

namespace mb {
constexpr int OkOnly = 0;
constexpr int YesNo = 4;
constexpr int Critical = 16;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int Ok = 1;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace mb

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Blocks until answered; returns the answer code.
  virtual int Show(const std::wstring& text, int style, const std::wstring& title) = 0;
};

// Shows a message box; without a title it carries the application's title.
int MsgBox(const std::wstring& text, int style = mb::OkOnly, const std::wstring& title = L"");

}  // namespace vantrel
