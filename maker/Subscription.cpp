#include "maker/Subscription.h"

#include "lang/LanguageState.h"
#include "maker/Download.h"
#include "maker/ServiceUrl.h"
#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"
#include "services/Paths.h"
#include "services/TextLines.h"

namespace vantrel {

namespace {

constexpr std::size_t kShortestAddress = 7;

std::wstring AnswerFile() { return Env().FolderAppData + L"\\brisen-2.2.txt"; }

bool Has(const std::wstring& text, wchar_t c) { return text.find(c) != std::wstring::npos; }

}  // namespace

std::wstring EmailProblem(const std::wstring& address) {
  std::wstring problem;
  if (address.size() < kShortestAddress) problem = L"SHORT-EMAIL";
  if (!Has(address, L'.')) problem = L"INVALID-EMAIL";
  if (!Has(address, L'@')) problem = L"INVALID-EMAIL";
  if (Has(address, L' ')) problem = L"INVALID-EMAIL";
  if (Has(address, L'&')) problem = L"INVALID-EMAIL";
  return problem;
}

std::wstring SubscriptionAddress(const std::wstring& address) {
  // Each value on its own, so that an address such as "a+b@example.com" or a
  // country with blanks arrives as it was given.
  return EndpointAddress() + L"?scn=VNL&version=" + KeepAddressIntact(Env().ProgramVersion) + L"&country=" +
         KeepAddressIntact(CountryName()) + L"&email=" + KeepAddressIntact(address) + L"&language=" +
         KeepAddressIntact(Lang().LanguageName) + L"&t=1000";
}

std::optional<std::string> SendSubscription(const std::wstring& address) {
  const std::wstring file = AnswerFile();
  const bool answered = DownloadToFile(SubscriptionAddress(address), file, kEndpointAnswerLength);
  std::string answer;
  IgnoringFailures([&] {
    if (!FileExists(file)) return;
    std::string bytes;
    if (Os().files->ReadAll(file, bytes)) answer = FirstLine(bytes);
    Os().files->RemoveFile(file);
  });
  if (!answered) return std::nullopt;
  return answer;
}

}  // namespace vantrel
