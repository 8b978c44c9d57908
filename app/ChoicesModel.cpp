// How each choice is kept in the settings store (application "VNL"): no
// other file knows a section, a key or an encoding of them.
#include "app/ChoicesModel.h"

#include <algorithm>

#include "services/Settings.h"
#include "system/PagingFile.h"

namespace vantrel {

namespace {

// Yes-or-no choices. Some are stored "YES" when on and empty when off;
// others empty when on and "NO" when off, so that absent means on.
constexpr struct {
  ChoiceFlag flag;
  const wchar_t* section;
  const wchar_t* key;
  bool onWhenEmpty;
} kFlags[] = {
    {&Choices::skipWelcome, L"RunSecondWindow", L"Value", false},
    {&Choices::showGoodOnly, L"Settings", L"SHOWGOODONLY", false},
    {&Choices::playSound, L"Settings", L"PlaySound", true},
    {&Choices::preventStandby, L"Settings", L"PreventStandBy", true},
    {&Choices::emptyBin, L"EmptyBin", L"Value", false},
    {&Choices::folderNames, L"FolderNames", L"Value", false},
};

// The modes by their stored codes; the first mode is stored as empty text.
constexpr const wchar_t* kCleaningCodes[] = {L"", L"7"};
constexpr const wchar_t* kNtfsCodes[] = {L"", L"2", L"3"};
constexpr const wchar_t* kMethodCodes[] = {L"1", L"2", L"3", L"4", L"5"};
constexpr const wchar_t kDisks[] = L"DiskSelection";

std::wstring Read(const wchar_t* section, const std::wstring& key) {
  return ReadSetting(kProgramSettings, section, key);
}

// The mode whose code is stored (mode n at index n - 1); nothing for any
// other value.
template <class Mode, std::size_t N>
std::optional<Mode> Decode(const wchar_t* const (&codes)[N], const std::wstring& value) {
  for (std::size_t i = 0; i < N; ++i)
    if (value == codes[i]) return static_cast<Mode>(i + 1);
  return std::nullopt;
}

template <class Mode, std::size_t N>
std::wstring Encode(const wchar_t* const (&codes)[N], Mode mode) {
  return codes[static_cast<int>(mode) - 1];
}

}  // namespace

bool Choices::Chosen(const std::wstring& letter) const {
  return std::find(disks.begin(), disks.end(), letter) != disks.end();
}

void ChoicesModel::Load() {
  now_ = Choices();
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter)
    if (Read(kDisks, std::wstring(1, letter)) == L"YES") now_.disks.emplace_back(1, letter);
  now_.cleaning = Decode<CleaningMode>(kCleaningCodes, Read(L"SecurityWay", L"Value"));
  now_.ntfs = Decode<NtfsMode>(kNtfsCodes, Read(L"NTFSMODE", L"VALUE"));
  now_.method = Decode<OverwriteMethod>(kMethodCodes, Read(L"SecurityMethod", L"Value")).value_or(OverwriteMethod::Spaces);
  for (const auto& f : kFlags) {
    const std::wstring value = Read(f.section, f.key);
    now_.*f.flag = f.onWhenEmpty ? value.empty() : value == L"YES";
  }
  now_.pagingFile = PagingFileClearedAtShutdown();
}

void ChoicesModel::Store(const wchar_t* section, const std::wstring& key, const std::wstring& value) {
  if (!WriteSetting(kProgramSettings, section, key, value) && onUnstored) onUnstored();
}

void ChoicesModel::ChooseDisk(const std::wstring& letter, bool chosen) {
  if (now_.Chosen(letter) == chosen) return;
  if (chosen)
    now_.disks.push_back(letter);
  else
    std::erase(now_.disks, letter);
  Store(kDisks, letter, chosen ? L"YES" : L"");
}

void ChoicesModel::SetCleaning(CleaningMode mode) {
  if (now_.cleaning == mode) return;
  now_.cleaning = mode;
  Store(L"SecurityWay", L"Value", Encode(kCleaningCodes, mode));
}

void ChoicesModel::SetNtfs(NtfsMode mode) {
  if (now_.ntfs == mode) return;
  now_.ntfs = mode;
  Store(L"NTFSMODE", L"VALUE", Encode(kNtfsCodes, mode));
}

void ChoicesModel::SetMethod(OverwriteMethod method) {
  if (now_.method == method) return;
  now_.method = method;
  Store(L"SecurityMethod", L"Value", Encode(kMethodCodes, method));
}

void ChoicesModel::Set(ChoiceFlag flag, bool on) {
  if (now_.*flag == on) return;
  now_.*flag = on;
  for (const auto& f : kFlags)
    if (f.flag == flag) Store(f.section, f.key, f.onWhenEmpty ? (on ? L"" : L"NO") : (on ? L"YES" : L""));
}

bool ChoicesModel::SetPagingFile(bool on) {
  if (now_.pagingFile == on) return true;
  if (!ChangePagingFileSetting(on)) return false;
  now_.pagingFile = on;
  return true;
}

RunPlan ChoicesModel::Plan(std::vector<std::wstring> letters) const {
  RunPlan plan;
  plan.letters = std::move(letters);
  plan.cleaning = now_.cleaning.value_or(CleaningMode::FileRecords);
  plan.ntfs = now_.ntfs.value_or(NtfsMode::Normal);
  plan.method = now_.method;
  plan.emptyRecycleBin = now_.emptyBin;
  plan.rewriteFolderNames = now_.folderNames;
  plan.preventStandby = now_.preventStandby;
  return plan;
}

}  // namespace vantrel
