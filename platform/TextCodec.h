// Conversion between 8-bit text in a Windows code page and UTF-16.
#pragma once
#include <string>
#include <string_view>

namespace vantrel {

class TextCodec {
 public:
  virtual ~TextCodec() = default;
  // The system's ANSI code page (1252 on a Western system).
  virtual unsigned AnsiCodePage() = 0;
  // The system's OEM code page (850 on a Western European system): the one
  // the command interpreter reads batch files in.
  virtual unsigned OemCodePage() = 0;
  // Bytes that do not decode come out as U+FFFD; nothing is dropped silently.
  virtual std::wstring Decode(unsigned codePage, std::string_view bytes) = 0;
  // Characters the code page lacks become "?".
  virtual std::string Encode(unsigned codePage, std::wstring_view text) = 0;
};

}  // namespace vantrel
