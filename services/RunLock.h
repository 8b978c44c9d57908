// One run at a time on a computer. Two copies of the program (of one user or
// of several, in any session) running at once would clean the same disks
// and remove each other's work, so a run holds this lock from its start to
// its end.
#pragma once
#include <memory>

#include "platform/SystemInfo.h"

namespace vantrel {

// The lock for a run; nothing while another run holds it.
std::unique_ptr<MachineLock> TakeRunLock();
// A run of this or another copy is going now; asked without taking the
// lock, so that the question never refuses a run starting at that moment.
bool RunGoing();

}  // namespace vantrel
