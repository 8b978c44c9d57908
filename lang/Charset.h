// Font character sets named by language files, and the code pages their
// 8-bit texts are written in.
#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

// The whole-number part of a numeric CHARSET text; 1 for anything else,
// including numbers a font character set cannot hold.
int16_t ParseCharset(const std::wstring& text);

// Code page that texts meant for a font character set are written in. The
// default set (1) means the system's own ANSI code page, and so does a set
// without a code page of its own (symbol, OEM, or a number no font knows):
// that is how the system itself would have read the file.
unsigned CodePageForCharset(int charset, unsigned systemCodePage);

}  // namespace vantrel
