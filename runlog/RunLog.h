// The run log "log.txt" in the data folder: one line per processed disk,
// newest first.
#pragma once
#include <cstdint>
#include <string>

namespace vantrel {

struct LogRecord {
  int status = 0;
  std::wstring start, end;  // dates and times as the system writes them
  int64_t elapsedSeconds = 0;
  std::wstring letter, volumeName, fileSystem;
  int64_t serial = 0;
  int cleaningMode = 1, ntfsMode = 1;
};

// The ten fields joined by "|".
std::wstring FormatLogRecord(const LogRecord& record);
// Records that could not be put on top of the log (it could not be read
// whole, or not replaced) wait here, oldest first, for the next record.
inline const wchar_t* const kPendingLogName = L"pending.log";

enum class Logged {
  OnTop,    // the record, and any that waited, head the log
  Waiting,  // the record waits in the pending file for the next one
  Lost,     // neither took it: the user must be told
};

// Puts a record on top of the log. The old log is replaced by the new one,
// written through to the disk, in a single step, and only once it was read
// whole, so an interruption never loses the history.
Logged PrependLogLine(const std::wstring& record);

}  // namespace vantrel
