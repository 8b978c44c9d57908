#include "disks/WorkFiles.h"

#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"
#include "services/NumericText.h"
#include "services/Paths.h"

namespace vantrel {

namespace {
const wchar_t kDigitBlock[] =
    L"0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789";
}  // namespace

std::wstring WorkFolderOf(const std::wstring& letter) {
  const std::wstring name = L"VNL_temp";
  if (AsciiUpper(letter) == AsciiUpper(Env().SystemDrive)) return Env().FolderAppData + L"\\" + name;
  return letter + L":\\" + name;
}

bool WorkFolderPresent(const std::wstring& folder) {
  return FolderExists(folder) || IgnoringFailures(false, [&] { return Os().files->IsLink(folder); });
}

std::wstring NameFileName(int i) { return L"bo" + std::to_wstring(i) + L"-" + kDigitBlock + L".$$$"; }

std::wstring TemplateCopyName(int n) { return L"000-ws" + std::to_wstring(n) + L"-012345678901234567890123456789"; }

std::wstring LineFileName(int i, int part) {
  return std::wstring(kLineFileNames[i]) + (part == 1 ? L"" : L"-" + std::to_wstring(part));
}

std::wstring TemplateFilePath() { return Env().DataFolder + L"\\temp.xd"; }

bool RemoveTemplateFile() {
  const std::wstring path = TemplateFilePath();
  return IgnoringFailures(false, [&] { return !FileExists(path) || Os().files->RemoveFile(path); });
}

}  // namespace vantrel
