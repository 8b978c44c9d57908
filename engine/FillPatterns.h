// Overwriting the free space: the fill text of each overwrite method, the
// template file and the fill of a disk's free space.
#pragma once
#include <string>

#include "engine/RunState.h"

namespace vantrel {

class StartForm;

// One fill character of the chosen method: a capital "A" to "Y" (random
// characters, Gutmann), a space, or a digit (random digits, DOD 5220.22).
// Empty when no method is selected.
std::wstring FillChar(const StartForm& form);
// A text of `count` fill characters, drawn one by one.
std::string FillText(const StartForm& form, int count);

// Bytes of a whole template: 50,000 lines of 1002 bytes, a tenth of that
// for a removable disk.
uint64_t TemplateFileBytes(bool removable);
// Stage 2: "temp.xd" in the data folder, lines of fill text.
void MakeTemplateFile(StartForm& form, int stage, bool removable);
// Stage 3: template copies, then long and short lines, down to a few
// thousand free bytes; then the template goes. A template that stage 2 cut
// short is not copied: the lines fill instead.
void FillFreeSpace(StartForm& form, int stage, const DiskFacts& disk);

}  // namespace vantrel
