// Offering to report a checkpoint that a process left behind when it died.
#pragma once
#include <string>

namespace vantrel {

// The list of records the user agreed to report, one per line.
std::wstring ReportedErrorsFile();
// Start-up: a checkpoint left by an earlier process is read and deleted, and
// offered once for reporting unless the same record was reported before. Yes
// adds it to the list and opens the report page with the record. Without
// administrator rights a hint to run as administrator follows the question.
void OfferErrorReport();

}  // namespace vantrel
