#include "services/ServiceUrl.h"

#include "services/Environment.h"
#include "services/LanguageState.h"
#include "services/OpenURL.h"

namespace vantrel {

namespace {
// The maker's host is set for each release build; this one is a placeholder
// until the web endpoint is built.
const std::wstring kEndpoint = L"http://vantrel.example/privacy/_from_soft.cgi";
}  // namespace

std::wstring ServiceUrl(const std::wstring& target, const std::wstring& extra, bool returnOnly) {
  const std::wstring url = kEndpoint + L"?scn=VNL&to=" + target + L"&version=" + Env().ProgramVersion +
                           L"&country=" + CountryName() + L"&pcid=" + Env().InstallId + L"&language=" +
                           Lang().LanguageName + extra;
  if (returnOnly) return url;
  OpenURL(url);
  return L"";
}

}  // namespace vantrel
