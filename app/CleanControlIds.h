// Stable control ids of the small window of the verb "clean", apart from
// the other windows' ids, so that the test driver finds its controls by
// number; and the language-file text each control shows.
#pragma once
#include "app/ControlIds.h"

namespace vantrel::clean_ids {

// Never renumber an entry; add new ones at the end.
inline constexpr control_ids::Entry kControls[] = {
    {L"Label1", 4001, false},  // the disk in work and its stage
    {L"Label2", 4002, false},  // when the disk should be done
    {L"ProgressBar1", 4003, false},
    {L"Command1", 4004, false, L"INTERFACE", L"COMMAND4"},  // Stop
};

constexpr std::optional<int> Find(std::wstring_view name, int index = 0) {
  return control_ids::FindIn(kControls, name, index);
}

}  // namespace vantrel::clean_ids
