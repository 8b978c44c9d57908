// The secondary window's subscription and computer-information pages: which
// addresses go out and how, what the endpoint's answer tells the user, and
// what joining sends.
#include <gtest/gtest.h>

#include "app/Program.h"
#include "services/Environment.h"
#include "lang/LanguageState.h"
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
// is invalid; nothing goes out for a refused one.
TEST(Subscription, AddressesAreCheckedThenSentWithEveryValueIntact) {
  const std::pair<const wchar_t*, const wchar_t*> addresses[] = {{L"a@b.cd", L"SHORT-EMAIL"},
                                                                 {L"ab.cd", L"INVALID-EMAIL"},
                                                                 {L"abc@defgh", L"INVALID-EMAIL"},
                                                                 {L"", L"INVALID-EMAIL"},
                                                                 {L"a b@example.com", L"INVALID-EMAIL"},
                                                                 {L"a&b@example.com", L"INVALID-EMAIL"},
                                                                 {L"ab@cd.ef", L""},
                                                                 {L"a@bc.de", L""}};
  for (const auto& [address, problem] : addresses) EXPECT_EQ(EmailProblem(address), problem) << address;
  StartMachine m;
  m.system.country = L"People's Republic of China";
  InitEnvironment();
  EXPECT_EQ(SubscriptionAddress(L"a+b@example.com"),
            L"http://www.vantrel.example/privacy/_from_soft.cgi?scn=VNL&version=3.07"
            L"&country=People's%20Republic%20of%20China&email=a%2Bb@example.com&language=" +
                Lang().LanguageName + L"&t=1000");
}

// The first line of an answer of exactly 1000 bytes decides; no answer, or
// one of another length, keeps the page for another try, and the answer's
// file never stays, also one an earlier process left.
TEST_F(SecondPages, TheMarkersOfTheAnswersFirstLineDecide) {
  const std::wstring ok = m.Text(L"SUBSCRIBER", L"OK-SERVER-RESPONSE"),
                     wrong = m.Text(L"SUBSCRIBER", L"WRONG-SERVER-RESPONSE"),
                     already = m.Text(L"SUBSCRIBER", L"ALREADY-SERVER-RESPONSE");
  const struct {
    std::optional<std::string> firstLine;
    std::size_t length;
    std::vector<std::wstring> told;
    bool movesOn;
  } answers[] = {
      {"<p>[OKAY]</p>", 1000, {ok}, true},
      {"[ALREADY-SUBSCRIBED]", 1000, {already}, true},
      {"[OKAY][ERROR]", 1000, {ok, wrong}, false},
      {"[OKAY] [ALREADY-SUBSCRIBED]", 1000, {ok, already}, true},
      {"\r\n[ERROR]", 1000, {}, true},
      {"[OKAY]", 1001, {wrong}, false},
      {std::nullopt, 0, {wrong}, false},
  };
  for (const auto& a : answers) {
    ASSERT_TRUE(Open());
    m.files.PutFile(L"C:\\Users\\test\\AppData\\Roaming\\brisen-2.2.txt", "[OKAY]\r\n");
    m.http.answer = a.firstLine ? std::optional(*a.firstLine + "\r\n") : std::nullopt;
    if (m.http.answer) m.http.answer->resize(a.length, 'x');
    m.dialogs.shown.clear();
    w().subscription.address.SetCaption(L"reader@example.com");
    w().subscription.subscribe.Click();
    EXPECT_EQ(m.Boxes(), a.told) << a.firstLine.value_or("none");
    EXPECT_EQ(w().profile.page.Visible(), a.movesOn);
    EXPECT_TRUE(w().subscription.subscribe.Enabled() && !w().ui.BusyPointer());
    EXPECT_FALSE(m.files.FileExists(L"C:\\Users\\test\\AppData\\Roaming\\brisen-2.2.txt"));
    EXPECT_EQ(m.Setting(L"Settings", L"Subscription Email"), L"reader@example.com");
  }
}

// Joining sends the three facts, one request each, thanks, stores the
// choice and ends, also offline; not joining sends nothing and stores "NO".
TEST_F(SecondPages, JoiningSendsThreeFactsAndEnds) {
  const std::wstring dpiKey = L"Control Panel\\Desktop\\WindowMetrics";
  m.registry.CreateKey(Hive::CurrentUser, dpiKey);
  m.registry.SetValue(Hive::CurrentUser, dpiKey, L"AppliedDPI", DwordValue(144));
  m.files.PutFile(L"C:\\Windows\\Microsoft.NET\\Framework\\v3.5\\MSBuild.exe", "");
  for (bool join : {true, false}) {
    ASSERT_TRUE(Open());
    m.http.requests.clear();
    m.dialogs.shown.clear();
    w().subscription.decline.Click();
    if (Ticked(w().profile.join) != join) w().profile.join.Click();
    w().profile.save.Click();
    EXPECT_EQ(m.http.requests.size(), join ? 3u : 0u);
    if (join) {
      EXPECT_TRUE(m.http.requests[0].url.ends_with(L"&to=cip&version=3.07&country=United%20States&pcid=" +
                                                   Env().InstallId + L"&language=English&info=WINOS|10"));
      EXPECT_TRUE(m.http.requests[1].url.ends_with(L"&info=DPI2|144"));
      EXPECT_TRUE(m.http.requests[2].url.ends_with(L"&info=NET35|YES"));
    }
    EXPECT_EQ(m.Boxes(), join ? std::vector<std::wstring>{m.Text(L"CIP", L"THANKS")} : std::vector<std::wstring>{});
    EXPECT_EQ(m.Setting(L"Settings", L"CIP"), join ? L"YES" : L"NO");
    EXPECT_FALSE(m.files.FileExists(L"C:\\Users\\test\\AppData\\Roaming\\VNL\\cip.txt"));
    EXPECT_TRUE(m.toolkit.ended);
    m.toolkit.ended = false;
  }
}

}  // namespace
}  // namespace vantrel::test
