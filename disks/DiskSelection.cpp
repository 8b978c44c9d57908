#include "disks/DiskSelection.h"

#include "app/Settings.h"
#include "app/StartForm.h"
#include "disks/DiskPanel.h"

namespace vantrel {

std::wstring SelectedDiskLetters(const StartForm& form) {
  std::wstring letters;
  for (int i = 0; i <= form.ui.UBound(L"DiskSelect"); ++i) {
    const Control* box = form.ui.Find(L"DiskSelect", i);
    const Control* label = form.ui.Find(L"DiskLabel", i);
    if (box && label && box->Value() == 1) letters += label->Caption();
  }
  return letters;
}

void ToggleDiskSlot(StartForm& form, int i) {
  Control* box = form.ui.Find(L"DiskSelect", i);
  Control* label = form.ui.Find(L"DiskLabel", i);
  if (!box || !label || label->Caption().empty()) return;
  const bool selected = box->Value() == 1;
  box->SetValue(selected ? 0 : 1);
  WriteSetting(kProgramSettings, L"DiskSelection", label->Caption(), selected ? L"" : L"YES");
  RefreshDiskPanel(form);
}

}  // namespace vantrel
