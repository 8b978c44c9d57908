#include "maker/ServiceUrl.h"

#include "lang/LanguageState.h"
#include "platform/Platform.h"
#include "services/AnsiText.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"
#include "services/OpenURL.h"

namespace vantrel {

namespace {
const std::wstring kDefaultHost = L"www.vantrel.example";
const std::wstring kHostKey = L"Software\\Vantrel";
const std::wstring kHostValue = L"EndpointHost";
constexpr std::size_t kMostHostChars = 253;
const std::wstring kPath = L"/privacy/_from_soft.cgi";
const std::wstring kHexDigits = L"0123456789ABCDEF";

bool IsAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsAsciiLetterOrDigit(wchar_t c) {
  return IsAsciiDigit(c) || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

// A "+" counts too: a server reads it in a query as a blank, which would
// turn the address "a+b@example.com" into another one.
bool BreaksAddress(unsigned char byte) {
  return byte <= 0x20 || byte >= 0x7F ||
         std::string_view("\"#%+<>\\").find(static_cast<char>(byte)) != std::string_view::npos;
}

bool Unreserved(unsigned char byte) {
  return IsAsciiLetterOrDigit(byte) || std::string_view("-._~").find(static_cast<char>(byte)) != std::string_view::npos;
}

// Every character the predicate does not keep goes as "%" and two hex digits
// per byte, beyond ASCII as the ANSI code page writes it.
template <class Keep>
std::wstring PercentEncode(const std::wstring& text, Keep keep) {
  std::wstring out;
  // Character by character, so that an ASCII text never meets the codec.
  for (wchar_t c : text) {
    if (c < 0x80 && keep(static_cast<unsigned char>(c))) {
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
}  // namespace

bool IsPlainHost(const std::wstring& text) {
  const auto colon = text.find(L':');
  const std::wstring host = text.substr(0, colon);
  if (host.empty() || host.size() > kMostHostChars) return false;
  for (wchar_t c : host)
    if (!IsAsciiLetterOrDigit(c) && c != L'.' && c != L'-') return false;
  if (colon == std::wstring::npos) return true;
  const std::wstring port = text.substr(colon + 1);
  if (port.empty() || port.size() > 5) return false;
  for (wchar_t c : port)
    if (!IsAsciiDigit(c)) return false;
  const long number = std::stol(port);
  return number >= 1 && number <= 65535;
}

std::wstring EndpointHost() {
  return IgnoringFailures(kDefaultHost, [] {
    const auto value = Os().registry->Query(Hive::LocalMachine, kHostKey, kHostValue);
    if (!value || value->type != regtype::String) return kDefaultHost;
    const std::wstring host = RegText(*value);
    return IsPlainHost(host) ? host : kDefaultHost;
  });
}

std::wstring EndpointAddress() { return L"http://" + EndpointHost() + kPath; }

std::wstring KeepAddressIntact(const std::wstring& query) {
  return PercentEncode(query, [](unsigned char b) { return !BreaksAddress(b); });
}

std::wstring EncodeQueryValue(const std::wstring& value) { return PercentEncode(value, Unreserved); }

std::wstring ServiceUrl(const std::wstring& target, const std::wstring& extra, bool returnOnly) {
  const std::wstring url =
      EndpointAddress() +
      KeepAddressIntact(L"?scn=VNL&to=" + target + L"&version=" + Env().ProgramVersion + L"&country=" + CountryName() +
                        L"&pcid=") +
      EncodeQueryValue(Env().InstallId) + KeepAddressIntact(L"&language=" + Lang().LanguageName + extra);
  if (returnOnly) return url;
  OpenURL(url);
  return L"";
}

}  // namespace vantrel
