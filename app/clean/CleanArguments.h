// The verb for unattended cleaning, as a scheduled task gives it:
//   clean D: [E: ...] [quick|full] [ntfs1|ntfs2|ntfs3]
// Drive letters in any case, each once, and at most one word of each mode;
// a mode not named is the one the wizard stored.
#pragma once
#include <string>
#include <variant>

#include "engine/RunPlan.h"

namespace vantrel {

// The command line starts with the word "clean", in its case, as the other
// verbs are matched; "Clean D:" is a normal start.
bool IsCleanVerb(const std::wstring& commandLine);

// The plan that a "clean" command line asks for, built on the stored one;
// or, when a word is wrong, the message that says which and how to write it.
std::variant<RunPlan, std::wstring> ParseCleanArguments(const std::wstring& commandLine, RunPlan stored);

}  // namespace vantrel
