#include "app/pages/ModePage.h"

namespace vantrel {

// An option raises its click only when it becomes (or stays) the selected one.
ModePage::ModePage(const ModeControls& controls, ChoicesModel& choices) : ModeControls(controls), choices_(choices) {
  quick.onClick = [this] { choices_.SetCleaning(CleaningMode::FileRecords); };
  full.onClick = [this] { choices_.SetCleaning(CleaningMode::FreeSpace); };
  normal.onClick = [this] { choices_.SetNtfs(NtfsMode::Normal); };
  thorough.onClick = [this] { choices_.SetNtfs(NtfsMode::Thorough); };
  maximum.onClick = [this] { choices_.SetNtfs(NtfsMode::Deepest); };
}

void ModePage::Draw() {
  if (const auto cleaning = choices_->cleaning) (*cleaning == CleaningMode::FreeSpace ? full : quick).SetValue(1);
  if (const auto ntfs = choices_->ntfs)
    (*ntfs == NtfsMode::Deepest ? maximum : *ntfs == NtfsMode::Thorough ? thorough : normal).SetValue(1);
}

}  // namespace vantrel
