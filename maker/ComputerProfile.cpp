#include "maker/ComputerProfile.h"

#include "maker/Download.h"
#include "maker/ServiceUrl.h"
#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"
#include "services/Paths.h"
#include "services/RegistryHelpers.h"

namespace vantrel {

namespace {

const std::wstring kAppliedDpi = L"HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics\\AppliedDPI";

}  // namespace

std::wstring DpiText(const std::wstring& renderedAppliedDpi) {
  static const std::pair<const wchar_t*, const wchar_t*> kKnown[] = {
      {L"48", L"72"}, {L"60", L"96"}, {L"78", L"120"}, {L"90", L"144"}, {L"C0", L"192"}};
  std::wstring dpi = L"OTHER";
  for (const auto& [hex, value] : kKnown)
    if (renderedAppliedDpi.find(hex) != std::wstring::npos) dpi = value;
  return dpi;
}

std::vector<std::pair<std::wstring, std::wstring>> ComputerProfile() {
  const bool net35 = FileExists(Env().FolderWindows + L"\\Microsoft.NET\\Framework\\v3.5\\MSBuild.exe");
  return {{L"WINOS", std::to_wstring(Env().WindowsVersion)},
          {L"DPI2", DpiText(RegistryRead(kAppliedDpi))},
          {L"NET35", net35 ? L"YES" : L"NO"}};
}

void SendComputerProfile() {
  const std::wstring answers = Env().DataFolder + L"\\cip.txt";
  // No structured binding: clang 14, which builds the sanitizer and fuzz
  // targets, cannot capture one in a lambda.
  for (const auto& fact : ComputerProfile())
    IgnoringFailures([&] {
      DownloadToFile(ServiceUrl(L"cip", L"&info=" + fact.first + L"|" + fact.second, true), answers,
                     kEndpointAnswerLength);
    });
  IgnoringFailures([&] {
    if (FileExists(answers)) Os().files->RemoveFile(answers);
  });
}

}  // namespace vantrel
