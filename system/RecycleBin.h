// Emptying the Recycle Bin before a run, so that what lay in it becomes
// free space the run overwrites.
#pragma once

namespace vantrel {

// Every drive's bin, without a question, progress or sound. Reports
// nothing, also when the bin was empty already.
void EmptyRecycleBin();

}  // namespace vantrel
