// A list view's messages take pointers to structures and text buffers,
// which the list reads and writes in its own process; they are therefore
// placed in the program's memory and copied over and back.
#include "tests/e2e/driver/ListView.h"

#include "tests/e2e/driver/Common.h"

#include <commctrl.h>

namespace vdriver {
namespace {

constexpr SIZE_T kTextOffset = 1024;
constexpr int kTextChars = 4096;

// A block of memory in another process, freed with it.
class RemoteBlock {
 public:
  explicit RemoteBlock(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process_) Fail(L"cannot open the program's process to read its list");
    base_ = static_cast<BYTE*>(
        VirtualAllocEx(process_, nullptr, kTextOffset + kTextChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
    if (!base_) {
      CloseHandle(process_);
      Fail(L"cannot place a buffer in the program's process");
    }
  }
  ~RemoteBlock() {
    VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  LPARAM Struct() const { return reinterpret_cast<LPARAM>(base_); }
  wchar_t* Text() const { return reinterpret_cast<wchar_t*>(base_ + kTextOffset); }
  template <class T>
  void Put(const T& value) const {
    if (!WriteProcessMemory(process_, base_, &value, sizeof value, nullptr)) Fail(L"cannot write the program's memory");
  }
  std::wstring TextRead() const {
    std::wstring text(kTextChars, L'\0');
    if (!ReadProcessMemory(process_, Text(), text.data(), kTextChars * sizeof(wchar_t), nullptr))
      Fail(L"cannot read the program's memory");
    text.resize(text.find(L'\0'));
    return text;
  }

 private:
  HANDLE process_ = nullptr;
  BYTE* base_ = nullptr;
};

LRESULT Ask(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, msg, wp, lp, SMTO_ABORTIFHUNG, kAnswerMs, &result))
    Fail(L"the list does not answer message " + std::to_wstring(msg));
  return static_cast<LRESULT>(result);
}

}  // namespace

ListContents ReadListView(HWND list) {
  RemoteBlock block(list);
  ListContents contents;
  HWND header = reinterpret_cast<HWND>(Ask(list, LVM_GETHEADER, 0, 0));
  const int columns = header ? static_cast<int>(Ask(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  for (int i = 0; i < columns; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = block.Text();
    column.cchTextMax = kTextChars;
    block.Put(column);
    Ask(list, LVM_GETCOLUMNW, i, block.Struct());
    contents.captions.push_back(block.TextRead());
    contents.widths.push_back(static_cast<int>(Ask(list, LVM_GETCOLUMNWIDTH, i, 0)));
  }
  const int rows = static_cast<int>(Ask(list, LVM_GETITEMCOUNT, 0, 0));
  for (int r = 0; r < rows; ++r) {
    std::vector<std::wstring>& row = contents.rows.emplace_back();
    for (int cell = 0; cell < std::max(columns, 1); ++cell) {
      LVITEMW item{};
      item.iSubItem = cell;
      item.pszText = block.Text();
      item.cchTextMax = kTextChars;
      block.Put(item);
      Ask(list, LVM_GETITEMTEXTW, r, block.Struct());
      row.push_back(block.TextRead());
    }
  }
  return contents;
}

}  // namespace vdriver
