// Message boxes: dialogs of class "#32770" whose text sits in Static children
// and whose answers are Button children. The system's template may hold
// buttons it hides for this box, so only the visible ones count.
#include "tests/e2e/driver/MessageBoxes.h"

#include "tests/e2e/driver/Find.h"

#include <algorithm>

namespace vdriver {
namespace {

bool IsTextStatic(HWND w) {
  const LONG_PTR type = GetWindowLongPtrW(w, GWL_STYLE) & SS_TYPEMASK;
  return ClassOf(w) == L"Static" && type != SS_ICON && type != SS_BITMAP;
}

std::wstring WithoutMnemonics(const std::wstring& caption) {
  std::wstring plain;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    plain += caption[i];
  }
  return plain;
}

LONG LeftOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r.left;
}

}  // namespace

std::wstring MessageText(HWND box) {
  std::wstring text;
  for (HWND w : Descendants(box)) {
    if (!IsTextStatic(w)) continue;
    const std::wstring part = TextOf(w);
    if (part.empty()) continue;
    if (!text.empty()) text += L'\n';
    text += part;
  }
  return text;
}

std::vector<HWND> MessageButtons(HWND box) {
  std::vector<HWND> buttons = Descendants(box);
  std::erase_if(buttons, [](HWND w) { return ClassOf(w) != L"Button" || !IsWindowVisible(w); });
  std::ranges::sort(buttons, {}, LeftOf);
  return buttons;
}

std::wstring CaptionOf(HWND button) { return WithoutMnemonics(TextOf(button)); }

std::wstring ButtonLine(HWND box) {
  std::wstring line;
  for (HWND b : MessageButtons(box)) {
    if (!line.empty()) line += L' ';
    line += L"[" + CaptionOf(b) + L"]";
  }
  return line;
}

HWND FindMessageBoxWith(std::wstring_view part) {
  for (HWND box : FindMessageBoxes()) {
    if (MessageText(box).find(part) != std::wstring::npos) return box;
  }
  return nullptr;
}

}  // namespace vdriver
