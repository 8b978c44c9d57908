// Stable control ids of the secondary window `BRISEN_FORM_2_2`, apart from
// the main window's, so that the test driver finds a control of either
// window by one number.
#pragma once
#include "app/ControlIds.h"

namespace vantrel::second_ids {

// Never renumber an entry; add new ones at the end.
inline constexpr control_ids::Entry kControls[] = {
    // The language page
    {L"Picture4", 3001, false}, {L"CFlag", 3003, false}, {L"Command3", 3004, false},
    {L"LangArray", 3100, true},
    // The subscription page
    {L"Picture1", 3201, false}, {L"Label3", 3202, false}, {L"Label2", 3203, false}, {L"Label1", 3204, false},
    {L"Text1", 3205, false}, {L"Command2", 3206, false}, {L"Command1", 3207, false},
    // The computer-information page
    {L"Picture5", 3301, false}, {L"Label16", 3302, false}, {L"Label4", 3303, false}, {L"Check1", 3304, false},
    {L"Command8", 3305, false},
};

constexpr std::optional<int> Find(std::wstring_view name, int index = 0) {
  return control_ids::FindIn(kControls, name, index);
}

}  // namespace vantrel::second_ids
