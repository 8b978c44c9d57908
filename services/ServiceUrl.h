// Addresses of the maker's web endpoint.
#pragma once
#include <string>

namespace vantrel {

// The endpoint's address with its fixed query keys for the target, plus the
// caller's extra text. With returnOnly false it opens the address in the
// browser and returns empty text.
std::wstring ServiceUrl(const std::wstring& target, const std::wstring& extra, bool returnOnly);

}  // namespace vantrel
