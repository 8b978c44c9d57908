// The secondary window's subscription and computer-information pages: which
// addresses go out and how, what the endpoint's answer tells the user, and
// what joining sends.
#include <gtest/gtest.h>

#include "app/Program.h"
#include "services/Environment.h"
#include "maker/Subscription.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

struct SecondPages : ::testing::Test {
  StartMachine m;
  std::unique_ptr<Program> program;
  void SetUp() override { ASSERT_TRUE(Open()); }
  bool Open() {
    program = std::make_unique<Program>();
    return program->Start(L"subscribe");
  }
  SecondForm& w() { return *program->second; }
};

// The last failing rule names the problem, so a short address without "@"
// is invalid. (That nothing goes out for a refused address, and that an
// accepted one arrives intact, the service journey shows.)
TEST(Subscription, AddressesAreCheckedAndTheLastFailingRuleNamesTheProblem) {
  const std::pair<const wchar_t*, const wchar_t*> addresses[] = {{L"a@b.cd", L"SHORT-EMAIL"},
                                                                 {L"ab.cd", L"INVALID-EMAIL"},
                                                                 {L"abc@defgh", L"INVALID-EMAIL"},
                                                                 {L"a b@example.com", L"INVALID-EMAIL"},
                                                                 {L"a&b@example.com", L"INVALID-EMAIL"},
                                                                 {L"a@bc.de", L""}};
  for (const auto& [address, problem] : addresses) EXPECT_EQ(EmailProblem(address), problem) << address;
}

// The first line of an answer of the expected length decides; no answer
// keeps the page for another try, and the answer's file never stays, also
// one an earlier process left.
TEST_F(SecondPages, TheMarkersOfTheAnswersFirstLineDecide) {
  const auto said = [&](const wchar_t* key) { return Text(L"SUBSCRIBER", key); };
  const std::tuple<std::optional<std::string>, Texts, bool> answers[] = {
      {"<p>[OKAY]</p>", {said(L"OK-SERVER-RESPONSE")}, true},
      {"[ALREADY-SUBSCRIBED]", {said(L"ALREADY-SERVER-RESPONSE")}, true},
      {"[OKAY][ERROR]", {said(L"OK-SERVER-RESPONSE"), said(L"WRONG-SERVER-RESPONSE")}, false},
      {"[OKAY] [ALREADY-SUBSCRIBED]", {said(L"OK-SERVER-RESPONSE"), said(L"ALREADY-SERVER-RESPONSE")}, true},
      {"\r\n[ERROR]", {}, true},
      {std::nullopt, {said(L"WRONG-SERVER-RESPONSE")}, false}};
  for (const auto& [firstLine, told, movesOn] : answers) {
    ASSERT_TRUE(Open());
    m.files.PutFile(L"C:\\Users\\test\\AppData\\Roaming\\brisen-2.2.txt", "[OKAY]\r\n");
    m.http.answer = firstLine ? std::optional((*firstLine + "\r\n").append(1000, 'x').substr(0, 1000)) : std::nullopt;
    m.dialogs.shown.clear();
    w().subscription.address.SetCaption(L"reader@example.com");
    w().subscription.subscribe.Click();
    EXPECT_EQ(m.Boxes(), told) << firstLine.value_or("none");
    EXPECT_EQ(w().profile.page.Visible(), movesOn);
    EXPECT_TRUE(w().subscription.subscribe.Enabled() && !w().ui.BusyPointer());
    EXPECT_FALSE(m.files.FileExists(L"C:\\Users\\test\\AppData\\Roaming\\brisen-2.2.txt"));
  }
}

// Joining sends the three facts, one request each, stores the choice and
// ends. (The thanks, that no answer file stays, and that not joining sends
// nothing and stores "NO", the service journey shows.)
TEST_F(SecondPages, JoiningSendsThreeFactsAndEnds) {
  const std::wstring dpiKey = L"Control Panel\\Desktop\\WindowMetrics";
  m.registry.CreateKey(Hive::CurrentUser, dpiKey);
  m.registry.SetValue(Hive::CurrentUser, dpiKey, L"AppliedDPI", DwordValue(144));
  m.files.PutFile(L"C:\\Windows\\Microsoft.NET\\Framework\\v3.5\\MSBuild.exe", "");
  w().subscription.decline.Click();
  if (!Ticked(w().profile.join)) w().profile.join.Click();
  w().profile.save.Click();
  ASSERT_EQ(m.http.requests.size(), 3u);
  EXPECT_TRUE(m.http.requests[0].url.ends_with(L"&to=cip&version=3.07&country=United%20States&pcid=" + Env().InstallId +
                                               L"&language=English&info=WINOS|10"));
  EXPECT_TRUE(m.http.requests[1].url.ends_with(L"&info=DPI2|144"));
  EXPECT_TRUE(m.http.requests[2].url.ends_with(L"&info=NET35|YES"));
  EXPECT_TRUE(m.Setting(L"Settings", L"CIP") == L"YES" && m.toolkit.ended);
}

}  // namespace
}  // namespace vantrel::test
