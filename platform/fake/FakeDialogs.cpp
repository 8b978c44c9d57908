#include "platform/fake/FakeDialogs.h"

namespace vantrel::fake {

int FakeDialogs::Show(const std::wstring& text, int style, const std::wstring& title) {
  shown.push_back({text, style, title});
  if (!answers.empty()) {
    const int a = answers.front();
    answers.pop_front();
    return a;
  }
  return (style & 7) == mb::YesNo ? mb::Yes : mb::Ok;
}

}  // namespace vantrel::fake
