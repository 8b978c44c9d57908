#include "runlog/Statistics.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "lang/Language.h"
#include "platform/Platform.h"
#include "runlog/RunLog.h"
#include "services/AnsiText.h"
#include "services/Checkpoint.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"
#include "services/NumericText.h"
#include "services/Paths.h"

namespace vantrel {

namespace {

std::wstring LogFile() { return Env().DataFolder + L"\\log.txt"; }

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> pieces;
  std::size_t start = 0;
  for (std::size_t bar; (bar = text.find(separator, start)) != std::wstring::npos; start = bar + 1)
    pieces.push_back(text.substr(start, bar - start));
  pieces.push_back(text.substr(start));
  return pieces;
}

// Any of CR, LF or CR LF ends a line; empty lines carry no record.
std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find_first_of(L"\r\n", start);
    const std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    if (!line.empty()) lines.push_back(line);
    if (end == std::wstring::npos) return lines;
    start = end + 1;
  }
}

// Whole minutes of a number of seconds, rounded down; the field as it is
// when it is no number (or one too large to count in minutes).
std::wstring Minutes(const std::wstring& seconds) {
  const std::optional<double> value = ParseNumber(seconds);
  if (!value) return seconds;
  const double minutes = std::floor(*value / 60);
  if (std::fabs(minutes) > 1e15) return seconds;
  return std::to_wstring(static_cast<long long>(minutes)) + L" min";
}

// A refresh names the same few keys for every row; the language file is read
// once per key, not once per row.
class Texts {
 public:
  const std::wstring& operator()(const std::wstring& key) {
    const auto known = texts_.find(key);
    if (known != texts_.end()) return known->second;
    return texts_[key] = LangText(L"VERSION3", key);
  }

 private:
  std::map<std::wstring, std::wstring> texts_;
};

// A one-digit code from `first` to `last`: the codes that have a text.
bool IsCode(const std::wstring& field, wchar_t first, wchar_t last) {
  return field.size() == 1 && field[0] >= first && field[0] <= last;
}

// What became of the disk. A completed record without its modes (cut short,
// or modes no version wrote) says only that it completed; a status that is
// no code says nothing, rather than naming a text key made of whatever bytes
// stand there, which would show as a missing text.
std::wstring Outcome(const std::vector<std::wstring>& f, Texts& text) {
  if (!IsCode(f[0], L'0', L'7')) return L"";
  if (f[0] == L"1" && IsCode(f[8], L'1', L'2') && IsCode(f[9], L'1', L'3'))
    return text(L"NTFS-MODE-REVIEW") + L" " + text(L"MODE" + f[8]) + L", FAT/NTFS: " + text(L"NTFS-MODE-" + f[9]);
  return text(L"WORK-STATUS-" + f[0]);
}

}  // namespace

std::vector<HistoryRow> ReadHistory(bool completedOnly) {
  std::vector<HistoryRow> rows;
  if (!FileExists(LogFile())) return rows;
  SetCheckpoint(L"REFRESHLOGS");
  IgnoringFailures([&] {
    std::string bytes;
    if (!Os().files->ReadAll(LogFile(), bytes)) return;
    Texts text;
    for (const std::wstring& line : Lines(FromAnsi(bytes))) {
      std::vector<std::wstring> f = Split(line, L'|');
      f.resize(std::max<std::size_t>(f.size(), 10));
      if (completedOnly && f[0] != L"1") continue;
      HistoryRow row{f[4], f[5], f[1], Minutes(f[3]), Outcome(f, text)};
      bool shows = false;
      for (const std::wstring& cell : row) shows = shows || !cell.empty();
      if (shows) rows.push_back(std::move(row));
    }
  });
  SetCheckpoint(L"");
  return rows;
}

bool ClearHistory() {
  bool cleared = true;
  // Asked for by a click: a fault is a file that stays, and the other file
  // still goes.
  for (const std::wstring& file : {LogFile(), Env().DataFolder + L"\\" + kPendingLogName})
    if (!IgnoringFailures(false, [&] { return !FileExists(file) || Os().files->RemoveFile(file); })) cleared = false;
  return cleared;
}

}  // namespace vantrel
