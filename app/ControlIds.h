// Stable control ids of a form, shared by its layout and the test driver:
// each control keeps its number in every build, and control arrays own a
// block of ids in which element n is the block's base + n.
#pragma once
#include <optional>
#include <string_view>

namespace vantrel::control_ids {

constexpr int kArraySlots = 32;  // elements an array can hold

struct Entry {
  std::wstring_view name;
  int base;
  bool array;
};

// The id of a control, or of element `index` of an array, in a form's table.
template <std::size_t N>
constexpr std::optional<int> FindIn(const Entry (&table)[N], std::wstring_view name, int index) {
  for (const Entry& e : table) {
    if (e.name != name) continue;
    if (!e.array) return index == 0 ? std::optional<int>(e.base) : std::nullopt;
    if (index < 0 || index >= kArraySlots) return std::nullopt;
    return e.base + index;
  }
  return std::nullopt;
}

}  // namespace vantrel::control_ids
