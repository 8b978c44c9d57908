// The run over the selected disks.
#pragma once

namespace vantrel {

class StartForm;

// The one-shot start of a run. Placeholder until the wiping engine is built:
// it only stops its timer, and the run page waits for Stop.
void WorkNowTick(StartForm& form);

}  // namespace vantrel
