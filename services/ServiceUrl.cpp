#include "services/ServiceUrl.h"

#include "services/AnsiText.h"
#include "services/Environment.h"
#include "services/IniHelpers.h"
#include "services/LanguageState.h"
#include "services/OpenURL.h"

namespace vantrel {

namespace {
const std::wstring kDefaultHost = L"www.vantrel.example";
const std::wstring kPath = L"/privacy/_from_soft.cgi";
const std::wstring kHexDigits = L"0123456789ABCDEF";

// A "+" counts too: a server reads it in a query as a blank, which would
// turn the address "a+b@example.com" into another one.
bool BreaksAddress(unsigned char byte) {
  return byte <= 0x20 || byte >= 0x7F ||
         std::string_view("\"#%+<>\\").find(static_cast<char>(byte)) != std::string_view::npos;
}
}  // namespace

std::wstring EndpointAddress() {
  std::wstring host = IniRead(kModuleSection, L"ENDPOINT-HOST", ModuleIniFile());
  if (host.empty()) host = kDefaultHost;
  return L"http://" + host + kPath;
}

std::wstring KeepAddressIntact(const std::wstring& query) {
  std::wstring out;
  // Character by character, so that an ASCII text never meets the codec.
  for (wchar_t c : query) {
    if (c < 0x80 && !BreaksAddress(static_cast<unsigned char>(c))) {
      out += c;
      continue;
    }
    const std::string bytes = c < 0x80 ? std::string(1, static_cast<char>(c))
                                       : ToAnsi(std::wstring_view(&c, 1));
    for (unsigned char b : bytes) {
      out += L'%';
      out += kHexDigits[b >> 4];
      out += kHexDigits[b & 15];
    }
  }
  return out;
}

std::wstring ServiceUrl(const std::wstring& target, const std::wstring& extra, bool returnOnly) {
  const std::wstring url =
      EndpointAddress() +
      KeepAddressIntact(L"?scn=VNL&to=" + target + L"&version=" + Env().ProgramVersion + L"&country=" + CountryName() +
                        L"&pcid=" + Env().InstallId + L"&language=" + Lang().LanguageName + extra);
  if (returnOnly) return url;
  OpenURL(url);
  return L"";
}

}  // namespace vantrel
