// Code-page conversion through the C library's iconv, so the fake decodes
// Cyrillic or Japanese bytes as Windows would.
#pragma once
#include "platform/TextCodec.h"

namespace vantrel::fake {

class FakeTextCodec : public TextCodec {
 public:
  unsigned ansiCodePage = 1252;
  unsigned oemCodePage = 850;
  unsigned AnsiCodePage() override { return ansiCodePage; }
  unsigned OemCodePage() override { return oemCodePage; }
  std::wstring Decode(unsigned codePage, std::string_view bytes) override;
  std::string Encode(unsigned codePage, std::wstring_view text) override;
};

}  // namespace vantrel::fake
