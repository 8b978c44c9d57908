#include "disks/WorkFolder.h"

#include "services/Environment.h"
#include "services/NumericText.h"

namespace vantrel {

std::wstring WorkFolderOf(const std::wstring& letter) {
  const std::wstring name = L"VNL_temp";
  if (AsciiUpper(letter) == AsciiUpper(Env().SystemDrive)) return Env().FolderAppData + L"\\" + name;
  return letter + L":\\" + name;
}

std::wstring TemplateFilePath() { return Env().DataFolder + L"\\temp.xd"; }

}  // namespace vantrel
