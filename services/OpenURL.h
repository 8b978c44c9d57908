// Opens a web address in the user's browser.
#pragma once
#include <string>

namespace vantrel {

// Uses the registered web handler; without one, Internet Explorer at its
// fixed place; without that, a message naming the address.
void OpenURL(const std::wstring& url);

}  // namespace vantrel
