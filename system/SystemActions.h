// What the run asks of the system around its work: the Recycle Bin, standby
// prevention, the completion sound and the shutdown countdown.
// Placeholders until those actions are built: each does nothing yet, so a
// run neither empties the bin nor keeps the computer awake, plays no sound
// and never turns the computer off.
#pragma once

namespace vantrel {

class StartForm;

void EmptyRecycleBin();
void HookStandbyGuard(StartForm& form);
void UnhookStandbyGuard();
void PlayCompletionSound();
// The 1 s tick of the shutdown countdown; for now it only stops itself.
void TurnOffTick(StartForm& form);

}  // namespace vantrel
