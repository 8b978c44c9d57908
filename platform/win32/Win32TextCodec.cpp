#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"

namespace vantrel::win32 {

unsigned Win32TextCodec::AnsiCodePage() { return GetACP(); }
unsigned Win32TextCodec::OemCodePage() { return GetOEMCP(); }

std::wstring Win32TextCodec::Decode(unsigned codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return std::wstring(bytes.size(), static_cast<wchar_t>(0xFFFD));
  std::wstring text(n, L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  return text;
}

std::string Win32TextCodec::Encode(unsigned codePage, std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return std::string(text.size(), '?');
  std::string bytes(n, '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr,
                      nullptr);
  return bytes;
}

std::wstring FromAnsi(const std::string& bytes) { return Win32TextCodec().Decode(CP_ACP, bytes); }
std::string ToAnsi(const std::wstring& text) { return Win32TextCodec().Encode(CP_ACP, text); }

}  // namespace vantrel::win32
