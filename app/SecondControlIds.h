// Stable control ids of the secondary window `BRISEN_FORM_2_2`, apart from
// the main window's, so that the test driver finds a control of either
// window by one number; and the language-file text each control shows.
#pragma once
#include "app/ControlIds.h"

namespace vantrel::second_ids {

inline constexpr std::wstring_view kSubscriber = L"SUBSCRIBER", kProfile = L"CIP";

// Never renumber an entry; add new ones at the end.
inline constexpr control_ids::Entry kControls[] = {
    // The language page
    {L"Picture4", 3001, false}, {L"CFlag", 3003, false}, {L"Command3", 3004, false},
    {L"LangArray", 3100, true},
    // The subscription page
    {L"Picture1", 3201, false},
    {L"Label3", 3202, false, kSubscriber, L"GET-FREE-UPDATES"},
    {L"Label2", 3203, false, kSubscriber, L"NEWSLETTER-INFO"},
    {L"Label1", 3204, false, kSubscriber, L"ENTER-YOUR-EMAIL"},
    {L"Text1", 3205, false},
    {L"Command2", 3206, false, kSubscriber, L"SUBSCRIBE-BUTTON"},
    {L"Command1", 3207, false, kSubscriber, L"CANCEL-BUTTON"},
    // The computer-information page
    {L"Picture5", 3301, false},
    {L"Label16", 3302, false, kProfile, L"C1"},
    {L"Label4", 3303, false, kProfile, L"C2"},
    {L"Check1", 3304, false, kProfile, L"C3"},
    {L"Command8", 3305, false, kProfile, L"C4"},
};

constexpr std::optional<int> Find(std::wstring_view name, int index = 0) {
  return control_ids::FindIn(kControls, name, index);
}

}  // namespace vantrel::second_ids
