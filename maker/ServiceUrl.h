// Addresses of the maker's web endpoint.
#pragma once
#include <cstddef>
#include <string>

namespace vantrel {

// A host name and nothing else: ASCII letters, digits, dots and hyphens, at
// most 253 of them, then an optional ":" and port of 1 to 5 digits
// (1..65535). Anything that could add a path, a scheme, a user or a blank to
// the address is not one.
bool IsPlainHost(const std::wstring& text);
// The host is built in; the text value "EndpointHost" under
// HKEY_LOCAL_MACHINE\Software\Vantrel replaces it when it is a plain host, so
// tests and deployments point the program elsewhere without a new build.
// Only an administrator can write there, and the installer opens these
// addresses as one.
std::wstring EndpointHost();
// "http://" + EndpointHost() + the endpoint's path.
std::wstring EndpointAddress();
// The length of every answer the program fetches from the endpoint; an
// answer of any other length counts as none.
inline constexpr std::size_t kEndpointAnswerLength = 1000;
// Percent-encodes only what would break an address or change its meaning on
// the way: blanks and control characters, bytes beyond ASCII (as the ANSI
// code page writes them), and " # % + < > \. Keys, "&", "=", "|" and
// everything else stay as they are.
std::wstring KeepAddressIntact(const std::wstring& query);
// Percent-encodes all but ASCII letters, digits and "-._~", so that a value
// that comes from a file every user can write stays one value: "&" and "="
// cannot add keys to the query.
std::wstring EncodeQueryValue(const std::wstring& value);
// The endpoint's address with its fixed query keys for the target, plus the
// caller's extra text. With returnOnly false it opens the address in the
// browser and returns empty text.
std::wstring ServiceUrl(const std::wstring& target, const std::wstring& extra, bool returnOnly);

}  // namespace vantrel
