// The user's choices on the main window, in one model: read once from the
// settings store when the window loads, written back the moment one changes.
// Pages draw it and the run plan is made from it; nothing is read back from
// a control. The stored sections, keys and values are the ones earlier
// versions wrote, so a user's settings keep working.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/RunPlan.h"

namespace vantrel {

struct Choices {
  // The chosen drive letters, upper case. A drive that is not there now
  // keeps its choice, so a stick that comes back under its letter is chosen
  // again.
  std::vector<std::wstring> disks;
  // Nothing when the store holds a value that is none of the modes: no
  // option shows selected, and a run takes the first mode.
  std::optional<CleaningMode> cleaning = CleaningMode::FileRecords;
  std::optional<NtfsMode> ntfs = NtfsMode::Normal;
  OverwriteMethod method = OverwriteMethod::Spaces;
  bool emptyBin = false;
  bool folderNames = false;  // rewrite the deleted names in the folders that stay
  // The system's option to clear the paging file at shutdown: it lives in
  // the system's registry, not in the program's settings.
  bool pagingFile = false;
  bool preventStandby = true;
  bool playSound = true;
  bool skipWelcome = false;  // start on the disk page
  bool showGoodOnly = false;  // the run history lists completed runs only

  bool Chosen(const std::wstring& letter) const;
};

// The yes-or-no choices of the program's settings.
using ChoiceFlag = bool Choices::*;

class ChoicesModel {
 public:
  void Load();
  const Choices& operator*() const { return now_; }
  const Choices* operator->() const { return &now_; }

  // Each stores the new choice when it differs from the one held. A value
  // the store refuses still holds until the program ends, and onUnstored
  // runs.
  void ChooseDisk(const std::wstring& letter, bool chosen);
  void SetCleaning(CleaningMode mode);
  void SetNtfs(NtfsMode mode);
  void SetMethod(OverwriteMethod method);
  void Set(ChoiceFlag flag, bool on);
  // Only an administrator may change the system's option; false, and the
  // choice as it was, when the system refused.
  bool SetPagingFile(bool on);

  std::function<void()> onUnstored;

  // What a run over the given letters does with these choices.
  RunPlan Plan(std::vector<std::wstring> letters) const;

 private:
  void Store(const wchar_t* section, const std::wstring& key, const std::wstring& value);
  Choices now_;
};

}  // namespace vantrel
