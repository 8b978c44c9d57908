// Control names and ids, both ways.
#include "tests/e2e/driver/ControlNames.h"

#include "app/SecondControlIds.h"
#include "app/StartControlIds.h"
#include "tests/e2e/driver/Common.h"
#include "tests/e2e/driver/Find.h"

#include <cwctype>
#include <span>

namespace vdriver {
namespace ids = vantrel::start_ids;
namespace {

bool AllDigits(std::wstring_view text) {
  if (text.empty() || text.size() > 6) return false;
  for (wchar_t c : text) {
    if (!iswdigit(c)) return false;
  }
  return true;
}

// "DiskLabel(2)" -> 2 and "DiskLabel"; "Command1" -> 0 and "Command1".
int SplitIndex(std::wstring_view text, std::wstring_view& name) {
  name = text;
  const size_t open = text.find(L'(');
  if (open == std::wstring_view::npos) return 0;
  const std::wstring_view digits = text.substr(open + 1, text.size() - open - 2);
  if (!text.ends_with(L')') || !AllDigits(digits)) Fail(L"not a control: '" + std::wstring(text) + L"'");
  name = text.substr(0, open);
  return std::stoi(std::wstring(digits));
}

bool Has(HWND window, int id) {
  for (HWND w : Descendants(window)) {
    if (GetDlgCtrlID(w) == id) return true;
  }
  return false;
}

}  // namespace

ControlRef ParseControl(std::wstring_view text, HWND window) {
  if (AllDigits(text)) {
    const int id = std::stoi(std::wstring(text));
    const std::wstring name = NameOfId(id);
    return {id, name.empty() ? L"id " + std::to_wstring(id) : name + L" (id " + std::to_wstring(id) + L")"};
  }
  std::wstring_view name;
  const int index = SplitIndex(text, name);
  std::optional<int> id = ids::Find(name, index);
  const std::optional<int> second = vantrel::second_ids::Find(name, index);
  if (!id || (second && !Has(window, *id) && Has(window, *second))) id = second;
  if (!id) Fail(L"no control " + std::wstring(text) + L" in StartControlIds.h or SecondControlIds.h");
  return {*id, std::wstring(text) + L" (id " + std::to_wstring(*id) + L")"};
}

std::wstring NameOfId(int id) {
  using Table = std::span<const ids::Entry>;
  for (const Table table : {Table(ids::kControls), Table(vantrel::second_ids::kControls)}) {
    for (const ids::Entry& e : table) {
      if (!e.array && id == e.base) return std::wstring(e.name);
      if (e.array && id >= e.base && id < e.base + ids::kArraySlots) {
        return std::wstring(e.name) + L"(" + std::to_wstring(id - e.base) + L")";
      }
    }
  }
  return {};
}

}  // namespace vdriver
