// Addresses of the maker's web endpoint.
#pragma once
#include <cstddef>
#include <string>

namespace vantrel {

// "http://" + host + the endpoint's path. The host is built in; the value
// "ENDPOINT-HOST" of the module's shared INI file replaces it, so tests and
// deployments point the program elsewhere without a new build.
std::wstring EndpointAddress();
// The length of every answer the program fetches from the endpoint; an
// answer of any other length counts as none.
inline constexpr std::size_t kEndpointAnswerLength = 1000;
// Percent-encodes only what would break an address or change its meaning on
// the way: blanks and control characters, bytes beyond ASCII (as the ANSI
// code page writes them), and " # % + < > \. Keys, "&", "=", "|" and
// everything else stay as they are.
std::wstring KeepAddressIntact(const std::wstring& query);
// The endpoint's address with its fixed query keys for the target, plus the
// caller's extra text. With returnOnly false it opens the address in the
// browser and returns empty text.
std::wstring ServiceUrl(const std::wstring& target, const std::wstring& extra, bool returnOnly);

}  // namespace vantrel
