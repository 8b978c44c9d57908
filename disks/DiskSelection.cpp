#include "disks/DiskSelection.h"

#include "services/NumericText.h"
#include "services/Settings.h"

namespace vantrel {

bool IsDiskSelected(const std::wstring& letter) {
  return ReadSetting(kProgramSettings, L"DiskSelection", AsciiUpper(letter)) == L"YES";
}

void StoreDiskSelection(const std::wstring& letter, bool selected) {
  WriteSetting(kProgramSettings, L"DiskSelection", AsciiUpper(letter), selected ? L"YES" : L"");
}

}  // namespace vantrel
