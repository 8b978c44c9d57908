#include "platform/Platform.h"

namespace vantrel {

namespace {
Platform g_platform;
}

Platform& Os() { return g_platform; }

void InstallPlatform(const Platform& platform) { g_platform = platform; }

int MsgBox(const std::wstring& text, int style, const std::wstring& title) {
  if (!g_platform.dialogs) return mb::Ok;
  return g_platform.dialogs->Show(text, style, title.empty() ? L"Vantrel" : title);
}

RegValue StringValue(const std::wstring& text) {
  RegValue v;
  v.type = regtype::String;
  for (wchar_t c : text) {
    const auto u = static_cast<uint32_t>(c) & 0xFFFF;
    v.data.push_back(static_cast<uint8_t>(u & 0xFF));
    v.data.push_back(static_cast<uint8_t>(u >> 8));
  }
  v.data.push_back(0);
  v.data.push_back(0);
  return v;
}

RegValue DwordValue(int32_t number) {
  RegValue v;
  v.type = regtype::Dword;
  const auto u = static_cast<uint32_t>(number);
  for (int i = 0; i < 4; ++i) v.data.push_back(static_cast<uint8_t>(u >> (8 * i)));
  return v;
}

}  // namespace vantrel

namespace vantrel {

std::wstring RegText(const RegValue& value) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
    const wchar_t c = static_cast<wchar_t>(value.data[i] | (value.data[i + 1] << 8));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

}  // namespace vantrel
