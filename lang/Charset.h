// Font character sets named by language files, and the code pages their
// 8-bit texts are written in.
#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

// The whole-number part of a numeric CHARSET text; 1 for anything else,
// including numbers a font character set cannot hold.
int16_t ParseCharset(const std::wstring& text);

// Code page for a font character set; 0 (the system's ANSI code page) for
// sets without one of their own.
unsigned CodePageForCharset(int charset);

}  // namespace vantrel
