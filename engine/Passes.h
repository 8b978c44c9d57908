// The overwrite passes of the methods that promise more than one: after
// the fill has taken the free space, each work file that holds bytes is
// written again where it lies, pass after pass, each pass carried to the
// disk before the next, and the last one read back from the disk itself.
#pragma once
#include <string>
#include <vector>

#include "engine/StageContext.h"

namespace vantrel {

// One pass: `unit` repeated from the start of the file, or a random block
// drawn for the pass when `unit` is empty.
struct OverwritePass {
  std::string unit;
};

// The passes of a method after its fill: none for the single-pass methods,
// three for DOD 5220.22 (a character, its complement, random) and the 35
// published ones for Gutmann.
const std::vector<OverwritePass>& PassesOf(OverwriteMethod method);
// How many times a run goes over the free space: the fill, each pass, and
// the read-back of the last pass; the passes come only with the fill.
int WorkFactor(const RunPlan& plan);
// Rewrites the work files of the stages so far (the fill hands over the
// line files it made) in the method's passes and checks the last; a
// mismatch fails the disk with kVerifyFailed, a pass that cannot be written
// with the stage's own status. Stop ends it between two blocks; the files
// stay for stage 4. True when every pass was made and the last one read
// back as written.
bool RewriteInPasses(StageContext& stage, const std::vector<std::wstring>& lineFiles);

}  // namespace vantrel
