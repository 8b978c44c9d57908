#include "app/clean/CleanArguments.h"

#include <algorithm>
#include <cwctype>
#include <utility>
#include <vector>

#include "disks/ListedDrives.h"
#include "lang/Language.h"

namespace vantrel {

namespace {

constexpr std::wstring_view kVerb = L"clean";
// The form is the same in every language: it is what the user types.
constexpr wchar_t kForm[] = L"Vantrel.exe clean D: [E: ...] [quick|full] [ntfs1|ntfs2|ntfs3]";

std::vector<std::wstring> Words(const std::wstring& text) {
  std::vector<std::wstring> words;
  std::wstring word;
  for (wchar_t c : text + L" ") {
    if (c != L' ' && c != L'\t') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(std::exchange(word, {}));
    }
  }
  return words;
}

std::wstring Lower(std::wstring word) {
  for (wchar_t& c : word) c = static_cast<wchar_t>(std::towlower(c));
  return word;
}

std::wstring Refusal(const wchar_t* key, const std::wstring& word) {
  return LangText(L"CLEAN", key) + (word.empty() ? L"" : L" " + word) + L"\r\n\r\n" +
         LangText(L"CLEAN", L"NOT-CLEANED") + L"\r\n\r\n" + LangText(L"CLEAN", L"USAGE") + L"\r\n" + kForm;
}

}  // namespace

bool IsCleanVerb(const std::wstring& commandLine) {
  return commandLine.starts_with(kVerb) &&
         (commandLine.size() == kVerb.size() || commandLine[kVerb.size()] == L' ' || commandLine[kVerb.size()] == L'\t');
}

std::variant<RunPlan, std::wstring> ParseCleanArguments(const std::wstring& commandLine, RunPlan plan) {
  plan.letters.clear();
  bool cleaningGiven = false, ntfsGiven = false;
  for (const std::wstring& word : Words(commandLine.substr(kVerb.size()))) {
    const std::wstring w = Lower(word);
    if (w == L"quick" || w == L"full") {
      if (std::exchange(cleaningGiven, true)) return Refusal(L"MODE-TWICE", word);
      plan.cleaning = w == L"quick" ? CleaningMode::FileRecords : CleaningMode::FreeSpace;
    } else if (w.size() == 5 && w.starts_with(L"ntfs") && w[4] >= L'1' && w[4] <= L'3') {
      if (std::exchange(ntfsGiven, true)) return Refusal(L"NTFS-TWICE", word);
      plan.ntfs = static_cast<NtfsMode>(w[4] - L'0');
    } else if (w.size() == 2 && w[1] == L':' && w[0] >= L'a' && w[0] <= L'z') {
      const std::wstring letter(1, static_cast<wchar_t>(std::towupper(w[0])));
      if (!IsListedDrive(letter)) return Refusal(L"NOT-CLEANABLE", letter + L":");
      if (std::ranges::count(plan.letters, letter)) return Refusal(L"DISK-TWICE", letter + L":");
      plan.letters.push_back(letter);
    } else {
      return Refusal(L"UNKNOWN-WORD", word);
    }
  }
  if (plan.letters.empty()) return Refusal(L"NO-DISK", L"");
  return plan;
}

}  // namespace vantrel
