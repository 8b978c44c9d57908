#include "disks/WorkFolder.h"

#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/NumericText.h"
#include "services/Paths.h"
#include "services/Quietly.h"

namespace vantrel {

std::wstring WorkFolderOf(const std::wstring& letter) {
  const std::wstring name = L"VNL_temp";
  if (AsciiUpper(letter) == AsciiUpper(Env().SystemDrive)) return Env().FolderAppData + L"\\" + name;
  return letter + L":\\" + name;
}

bool WorkFolderPresent(const std::wstring& folder) {
  return FolderExists(folder) || Quietly(false, [&] { return Os().files->IsLink(folder); });
}

std::wstring TemplateFilePath() { return Env().DataFolder + L"\\temp.xd"; }

void RemoveTemplateFile() {
  Quietly([] {
    if (FileExists(TemplateFilePath())) Os().files->RemoveFile(TemplateFilePath());
  });
}

}  // namespace vantrel
