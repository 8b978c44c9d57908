#include "app/Choices.h"

#include <string>

#include "services/Settings.h"

namespace vantrel::choices {

namespace {

struct FlagKey {
  const wchar_t* section;
  const wchar_t* key;
  bool onWhenEmpty;
};

FlagKey KeyOf(Flag flag) {
  switch (flag) {
    case Flag::SkipWelcome: return {L"RunSecondWindow", L"Value", false};
    case Flag::ShowGoodOnly: return {L"Settings", L"SHOWGOODONLY", false};
    case Flag::PlaySound: return {L"Settings", L"PlaySound", true};
    case Flag::PreventStandby: return {L"Settings", L"PreventStandBy", true};
    case Flag::EmptyRecycleBin: return {L"EmptyBin", L"Value", false};
  }
  return {L"Settings", L"", false};
}

std::wstring Read(const wchar_t* section, const wchar_t* key) { return ReadSetting(kProgramSettings, section, key); }
void Write(const wchar_t* section, const wchar_t* key, const std::wstring& value) {
  WriteSetting(kProgramSettings, section, key, value);
}

}  // namespace

bool Get(Flag flag) {
  const FlagKey k = KeyOf(flag);
  const std::wstring value = Read(k.section, k.key);
  return k.onWhenEmpty ? value.empty() : value == L"YES";
}

void Set(Flag flag, bool on) {
  const FlagKey k = KeyOf(flag);
  Write(k.section, k.key, k.onWhenEmpty ? (on ? L"" : L"NO") : (on ? L"YES" : L""));
}

std::optional<OverwriteMethod> Method() {
  const std::wstring value = Read(L"SecurityMethod", L"Value");
  for (int m = 1; m <= 5; ++m)
    if (value == std::to_wstring(m)) return static_cast<OverwriteMethod>(m);
  return std::nullopt;
}

void SetMethod(OverwriteMethod method) {
  Write(L"SecurityMethod", L"Value", std::to_wstring(static_cast<int>(method)));
}

std::optional<CleaningMode> CleaningAsStored() {
  const std::wstring value = Read(L"SecurityWay", L"Value");
  if (value.empty()) return CleaningMode::FileRecords;
  if (value == L"7") return CleaningMode::FreeSpace;
  return std::nullopt;
}

CleaningMode Cleaning() { return CleaningAsStored().value_or(CleaningMode::FileRecords); }

void SetCleaning(CleaningMode mode) { Write(L"SecurityWay", L"Value", mode == CleaningMode::FreeSpace ? L"7" : L""); }

std::optional<NtfsMode> NtfsAsStored() {
  const std::wstring value = Read(L"NTFSMODE", L"VALUE");
  if (value.empty()) return NtfsMode::Normal;
  if (value == L"2") return NtfsMode::Thorough;
  if (value == L"3") return NtfsMode::Deepest;
  return std::nullopt;
}

NtfsMode Ntfs() { return NtfsAsStored().value_or(NtfsMode::Normal); }

void SetNtfs(NtfsMode mode) {
  Write(L"NTFSMODE", L"VALUE", mode == NtfsMode::Normal ? L"" : std::to_wstring(static_cast<int>(mode)));
}

}  // namespace vantrel::choices
