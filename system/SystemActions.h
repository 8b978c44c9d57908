// What the run asks of the system around its work: the Recycle Bin, standby
// prevention and the completion sound.
// Placeholders until those actions are built: each does nothing yet, so a
// run neither empties the bin nor keeps the computer awake and plays no
// sound; the shutdown countdown's timer only stops itself (app/).
#pragma once

namespace vantrel {

void EmptyRecycleBin();
void HookStandbyGuard();
void UnhookStandbyGuard();
void PlayCompletionSound();

}  // namespace vantrel
