// Overwriting the free space: the fill text of each overwrite method, the
// template file and the fill of a disk's free space.
#pragma once
#include <string>

#include "engine/RunState.h"

namespace vantrel {

// The characters a method draws from: capitals "A" to "Y" (random
// characters, Gutmann), a space, or the digits (random digits, DOD 5220.22).
std::string_view FillAlphabet(OverwriteMethod method);
// One fill character, drawn anew on every call.
char FillChar(OverwriteMethod method);
// A text of `count` fill characters, drawn one by one.
std::string FillText(OverwriteMethod method, int count);

// Copy n (from 1) of the template in the work folder.
std::wstring TemplateCopyName(int n);
// The files the lines go to: long lines, then short ones.
inline const wchar_t* const kLineFileNames[] = {L"fw1", L"fw2"};

// Bytes of a whole template: 50,000 lines of 1002 bytes, a tenth of that
// for a removable disk.
uint64_t TemplateFileBytes(bool removable);
// Stage 2: "temp.xd" in the data folder, lines of fill text.
void MakeTemplateFile(Run& run, int stage, bool removable);
// Stage 3: template copies, then long and short lines, down to a few
// thousand free bytes; then the template goes. A template that stage 2 cut
// short is not copied: the lines fill instead.
void FillFreeSpace(Run& run, int stage, const DiskFacts& disk);

}  // namespace vantrel
