// The three facts of the quality-improvement programme: the Windows version,
// the display scaling and whether a .NET Framework 3.5 component is there,
// each sent to the endpoint as "name|value".
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace vantrel {

// The dots per inch that a registry rendering of "AppliedDPI" ("90 00 00 00 ")
// names, searched for each known value in turn so that a later find
// overrides an earlier one; "OTHER" when none is found.
std::wstring DpiText(const std::wstring& renderedAppliedDpi);

// WINOS, DPI2 and NET35 with their values, in the order they are sent.
std::vector<std::pair<std::wstring, std::wstring>> ComputerProfile();

// One request per fact, answers ignored; "cip.txt" in the data folder, where
// the answers land, is gone afterwards. Never fails visibly.
void SendComputerProfile();

}  // namespace vantrel
