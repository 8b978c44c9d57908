// The fakes' fault table: the Nth call of an operation from now fails with a
// chosen outcome, as SQLite's test VFS makes the Nth call fail. One table
// serves the file system and the drives, another of the same kind the
// registry's writes, so a test can say "the 17th file cannot be created",
// "the third write finds the disk full", "the second free-space question
// gets no answer" or "the settings store refuses every value from now on"
// without a callback of its own.
#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "platform/FileSystem.h"

namespace vantrel::fake {

// Every operation the fakes count. Create counts CreateNew too, and
// RemoveFolder a held folder's removal. Drive questions are counted here
// too: FreeSpace (AvailableSpace), Volume and TotalSize; and the registry's
// SetValue as RegistrySet (the fake registry keeps a table of its own).
// Rewrite counts OpenRewrite; Land counts each time written bytes are
// carried from the cache to the disk, and a Land that fails loses them
// without a word (the flush answers true), as a failing disk does.
enum class FsOp {
  Read, Write, Append, Close, Flush, RemoveFile, CreateFolder, RemoveFolder, Copy, Move,
  Create, OpenRead, List, Hold, FreeSpace, Volume, TotalSize, RegistrySet, Rewrite, Land
};

class Faults {
 public:
  // The nth call of `op` from now fails with `outcome` (n = 1: the next
  // call); the calls before and after it are left alone.
  void Fail(FsOp op, uint64_t n, FsFailure outcome);
  // Every call of `op` from the nth from now on fails with `outcome`, until
  // Clear.
  void FailFrom(FsOp op, uint64_t n, FsFailure outcome);
  void Clear();
  // Calls of `op` counted so far.
  uint64_t Calls(FsOp op) const;
  // A slow disk: every call counted moves the clock at `clockMs` (when set)
  // on by `msPerCall`, as real calls take time while the window waits.
  uint64_t* clockMs = nullptr;
  uint32_t msPerCall = 0;

  // For the fakes: counts a call of `op` and tells how it is to fail, None
  // when it is not.
  FsFailure Next(FsOp op);

 private:
  struct Rule {
    FsOp op;
    uint64_t at;  // the call number it fires on
    bool onward;  // and on every later call
    FsFailure outcome;
  };
  std::map<FsOp, uint64_t> calls_;
  std::vector<Rule> rules_;
};

}  // namespace vantrel::fake
