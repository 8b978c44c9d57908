// Stable control ids of a form, shared by its layout and the test driver:
// each control keeps its number in every build, and control arrays own a
// block of ids in which element n is the block's base + n. The table also
// names the language file's text that a control shows, so that neither the
// ids nor the caption keys change when the code around them does.
#pragma once
#include <optional>
#include <string_view>

namespace vantrel::control_ids {

constexpr int kArraySlots = 32;  // elements an array can hold

struct Entry {
  std::wstring_view name;
  int base;
  bool array;
  // Section and key of the control's text in the language files; empty for
  // a control whose text the program sets as it goes.
  std::wstring_view section = {};
  std::wstring_view key = {};
};

template <std::size_t N>
constexpr const Entry* EntryIn(const Entry (&table)[N], std::wstring_view name) {
  for (const Entry& e : table)
    if (e.name == name) return &e;
  return nullptr;
}

// The id of a control, or of element `index` of an array, in a form's table.
template <std::size_t N>
constexpr std::optional<int> FindIn(const Entry (&table)[N], std::wstring_view name, int index) {
  const Entry* e = EntryIn(table, name);
  if (!e) return std::nullopt;
  if (!e->array) return index == 0 ? std::optional<int>(e->base) : std::nullopt;
  if (index < 0 || index >= kArraySlots) return std::nullopt;
  return e->base + index;
}

}  // namespace vantrel::control_ids
