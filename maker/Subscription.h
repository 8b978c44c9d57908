// The newsletter subscription as the endpoint sees it: which addresses are
// worth sending, the request that carries one, and its answer.
#pragma once
#include <optional>
#include <string>

namespace vantrel {

// The key (section "SUBSCRIBER") of the message that refuses the address, or
// empty text when it may be sent. Every rule that fails replaces the choice
// of the ones before, so a short address without "@" is called invalid.
std::wstring EmailProblem(const std::wstring& address);

// The subscription request: the endpoint with its own keys (no "to=", no
// "pcid="), each value kept intact on the way, ending in "&t=1000".
std::wstring SubscriptionAddress(const std::wstring& address);

// Sends the address and returns the first line of the answer, or nothing
// when no answer of exactly 1000 bytes came. The answer passes through
// FolderAppData + "\brisen-2.2.txt", which is gone again afterwards, also
// when an earlier attempt left it behind. The window answers meanwhile.
std::optional<std::string> SendSubscription(const std::wstring& address);

}  // namespace vantrel
