// The fill text of each overwrite method: what the stages write into the
// name files, the template and the free space.
#pragma once
#include <string>
#include <string_view>

#include "engine/RunPlan.h"

namespace vantrel {

// The characters a method draws from: capitals "A" to "Y" (random
// characters, Gutmann), a space, or the digits (random digits, DOD 5220.22).
std::string_view FillAlphabet(OverwriteMethod method);
// One fill character, drawn anew on every call.
char FillChar(OverwriteMethod method);
// A text of `count` fill characters, drawn one by one.
std::string FillText(OverwriteMethod method, int count);

}  // namespace vantrel
