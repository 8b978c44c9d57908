// The run over the selected disks.
#pragma once

namespace vantrel {

class StartForm;

// The one-shot start of a run. Placeholder until the wiping engine is built:
// the run touches no disk; it keeps the window alive until Stop is pressed,
// then shows the finish page, as a real run ends.
void WorkNowTick(StartForm& form);

}  // namespace vantrel
