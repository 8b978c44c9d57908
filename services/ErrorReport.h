// Offering to report a checkpoint that a process left behind when it died.
#pragma once

namespace vantrel {

// Placeholder until error reports are built: a left checkpoint is not yet
// offered to the user and stays where it is.
void OfferErrorReport();

}  // namespace vantrel
