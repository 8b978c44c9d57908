// The secondary window's subscription page and computer-information page:
// what is sent, what the user is told, and where each answer leads.
#include <gtest/gtest.h>

#include "app/Program.h"
#include "maker/ComputerProfile.h"
#include "maker/Subscription.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kAnswerFile = L"C:\\Users\\test\\AppData\\Roaming\\brisen-2.2.txt";
const std::wstring kCipFile = L"C:\\Users\\test\\AppData\\Roaming\\VNL\\cip.txt";
const std::wstring kDpiKey = L"Control Panel\\Desktop\\WindowMetrics";

// An answer of the endpoint: the first line, padded to `length` bytes.
std::string Answer(const std::string& firstLine, std::size_t length = 1000) {
  std::string body = firstLine + "\r\n";
  body.resize(length, 'x');
  return body;
}

struct SecondPages : ::testing::Test {
  StartMachine m;
  std::unique_ptr<Program> program;

  void SetUp() override { ASSERT_TRUE(Open()); }
  bool Open() {
    program = std::make_unique<Program>();
    return program->Start(L"subscribe");
  }
  SecondForm& w() { return *program->second; }
  std::wstring Text(const wchar_t* section, const wchar_t* key) { return m.Text(section, key); }
  // Types the address and clicks Subscribe.
  void Subscribe(const std::wstring& address) {
    m.dialogs.shown.clear();
    w().subscription.address.SetCaption(address);
    w().subscription.subscribe.Click();
  }
  std::vector<std::pair<std::wstring, int>> Told() {
    std::vector<std::pair<std::wstring, int>> told;
    for (const auto& s : m.dialogs.shown) told.emplace_back(s.text, s.style);
    return told;
  }
  bool OnProfilePage() { return w().profile.page.Visible() && !w().subscription.page.Visible(); }
};

TEST_F(SecondPages, LoadFillsThePagesFromTheLanguageAndTheStore) {
  m.Store(L"Settings", L"Subscription Email", L"me@example.com");
  m.Store(L"Settings", L"CIP", L"YES");
  // No warning about a display that is not at 96 DPI.
  m.registry.CreateKey(Hive::CurrentUser, kDpiKey);
  m.registry.SetValue(Hive::CurrentUser, kDpiKey, L"AppliedDPI", DwordValue(120));
  ASSERT_TRUE(Open());
  EXPECT_TRUE(m.dialogs.shown.empty());
  EXPECT_TRUE(w().subscription.page.Visible());
  EXPECT_FALSE(w().language.page.Visible() || w().profile.page.Visible());
  EXPECT_EQ(w().subscription.heading.Caption(), Text(L"SUBSCRIBER", L"GET-FREE-UPDATES"));
  EXPECT_EQ(w().subscription.explanation.Caption(), Text(L"SUBSCRIBER", L"NEWSLETTER-INFO"));
  EXPECT_EQ(w().subscription.prompt.Caption(), Text(L"SUBSCRIBER", L"ENTER-YOUR-EMAIL"));
  EXPECT_EQ(w().subscription.subscribe.Caption(), Text(L"SUBSCRIBER", L"SUBSCRIBE-BUTTON"));
  EXPECT_EQ(w().subscription.decline.Caption(), Text(L"SUBSCRIBER", L"CANCEL-BUTTON"));
  EXPECT_EQ(w().profile.heading.Caption(), Text(L"CIP", L"C1"));
  EXPECT_EQ(w().profile.explanation.Caption(), Text(L"CIP", L"C2"));
  EXPECT_EQ(w().profile.join.Caption(), Text(L"CIP", L"C3"));
  EXPECT_EQ(w().profile.save.Caption(), Text(L"CIP", L"C4"));
  // English's CHARSET is 0; controls start at 1, so the labels were set and
  // the field, the buttons and the check box kept their own.
  for (Control* label : {&w().subscription.prompt, &w().subscription.explanation, &w().subscription.heading,
                         &w().profile.explanation, &w().profile.heading})
    EXPECT_EQ(label->FontCharset(), 0) << label->name();
  for (Control* own : {&w().subscription.address, &w().subscription.decline, &w().subscription.subscribe,
                       &w().profile.join, &w().profile.save})
    EXPECT_EQ(own->FontCharset(), 1) << own->name();
  EXPECT_EQ(w().subscription.address.Caption(), L"me@example.com");
  EXPECT_EQ(w().profile.join.Value(), 1);
  // Keyboard: typing goes to the field, Enter subscribes, Esc declines.
  EXPECT_EQ(m.toolkit.focused, &w().subscription.address);
  EXPECT_EQ(w().ui.DefaultButton(), &w().subscription.subscribe);
  EXPECT_EQ(w().ui.CancelButton(), &w().subscription.decline);

  for (const wchar_t* stored : {L"NO", L"yes", L""}) {
    m.Store(L"Settings", L"CIP", stored);
    ASSERT_TRUE(Open());
    EXPECT_EQ(w().profile.join.Value(), 0) << stored;
  }
}

TEST_F(SecondPages, TheLastFailingRuleOfTheAddressDecides) {
  const std::pair<const wchar_t*, const wchar_t*> refused[] = {
      {L"a@b.cd", L"SHORT-EMAIL"},   // six characters with "@" and "."
      {L"ab.cd", L"INVALID-EMAIL"},  // short, and no "@": invalid, not short
      {L"abcdefgh.com", L"INVALID-EMAIL"},
      {L"abc@defgh", L"INVALID-EMAIL"},  // no "."
      {L"", L"INVALID-EMAIL"},
      {L"a b@example.com", L"INVALID-EMAIL"},
      {L"a&b@example.com", L"INVALID-EMAIL"},
  };
  for (const auto& [address, key] : refused) {
    Subscribe(address);
    ASSERT_EQ(Told().size(), 1u) << address;
    EXPECT_EQ(Told()[0], std::make_pair(Text(L"SUBSCRIBER", key), mb::Exclamation)) << address;
    EXPECT_EQ(m.dialogs.shown[0].title, L"Vantrel");
    EXPECT_EQ(w().subscription.address.Caption(), address);
    EXPECT_EQ(m.toolkit.focused, &w().subscription.address);
  }
  EXPECT_TRUE(m.http.requests.empty());
  EXPECT_EQ(m.Setting(L"Settings", L"Subscription Email"), L"");

  m.http.answer = Answer("[ERROR]");
  for (const wchar_t* good : {L"ab@cd.ef", L"a@bc.de"}) {
    Subscribe(good);
    EXPECT_EQ(m.Setting(L"Settings", L"Subscription Email"), good);
  }
  EXPECT_EQ(m.http.requests.size(), 2u);
  EXPECT_EQ(EmailProblem(L"ab@cd.ef"), L"");
}

TEST_F(SecondPages, TheMarkersOfTheFirstLineDecide) {
  const std::wstring ok = Text(L"SUBSCRIBER", L"OK-SERVER-RESPONSE"),
                     wrong = Text(L"SUBSCRIBER", L"WRONG-SERVER-RESPONSE"),
                     already = Text(L"SUBSCRIBER", L"ALREADY-SERVER-RESPONSE");
  using Messages = std::vector<std::pair<std::wstring, int>>;
  const struct {
    std::string firstLine;
    Messages told;
    bool movesOn;
  } cases[] = {
      {"<p>[OKAY]</p>", {{ok, mb::Information}}, true},
      {"[ALREADY-SUBSCRIBED]", {{already, mb::Information}}, true},
      {"[ERROR]", {{wrong, mb::Information}}, false},
      {"[OKAY][ERROR]", {{ok, mb::Information}, {wrong, mb::Information}}, false},
      {"[OKAY] [ALREADY-SUBSCRIBED]", {{ok, mb::Information}, {already, mb::Information}}, true},
      {"nothing to say", {}, true},
      // Only the first line counts.
      {"\r\n[ERROR]", {}, true},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(Open());
    m.http.answer = Answer(c.firstLine);
    Subscribe(L"reader@example.com");
    EXPECT_EQ(Told(), c.told) << c.firstLine;
    EXPECT_EQ(OnProfilePage(), c.movesOn) << c.firstLine;
    EXPECT_TRUE(w().subscription.subscribe.Enabled() && w().subscription.decline.Enabled()) << c.firstLine;
    EXPECT_FALSE(w().ui.BusyPointer());
    EXPECT_FALSE(m.files.FileExists(kAnswerFile)) << c.firstLine;
    if (c.movesOn) {
      EXPECT_EQ(m.toolkit.focused, &w().profile.join);
    }
    EXPECT_FALSE(m.toolkit.ended);
  }
}

TEST_F(SecondPages, NoAnswerOfExactly1000BytesKeepsThePageForAnotherTry) {
  // A file that a process left behind is not taken for an answer.
  m.files.PutFile(kAnswerFile, "[OKAY]\r\n");
  for (const std::optional<std::string>& answer :
       {std::optional(Answer("[OKAY]", 999)), std::optional(Answer("[OKAY]", 1001)), std::optional<std::string>()}) {
    m.http.answer = answer;
    Subscribe(L"reader@example.com");
    EXPECT_EQ(Told(), (std::vector{std::make_pair(Text(L"SUBSCRIBER", L"WRONG-SERVER-RESPONSE"), mb::Exclamation)}));
    EXPECT_TRUE(w().subscription.page.Visible());
    EXPECT_TRUE(w().subscription.subscribe.Enabled());
    EXPECT_FALSE(m.files.FileExists(kAnswerFile));
    EXPECT_EQ(m.Setting(L"Settings", L"Subscription Email"), L"reader@example.com");
  }
}

TEST_F(SecondPages, TheRequestKeepsValuesIntactAndTheWindowAnswersButCannotSendTwice) {
  m.system.country = L"People's Republic of China";
  ASSERT_TRUE(Open());
  m.http.answer = Answer("[OKAY]");
  bool busy = false, locked = false;
  std::wstring stored;
  m.toolkit.At(0, [&] {
    busy = w().ui.BusyPointer();
    locked = !w().subscription.subscribe.Enabled() && !w().subscription.decline.Enabled();
    stored = m.Setting(L"Settings", L"Subscription Email");
    w().subscription.subscribe.Click();  // a second click while the first request runs
  });
  Subscribe(L"a+b@example.com");
  ASSERT_EQ(m.http.requests.size(), 1u);
  EXPECT_EQ(m.http.requests[0].url,
            L"http://www.vantrel.example/privacy/_from_soft.cgi?scn=VNL&version=3.07"
            L"&country=People's%20Republic%20of%20China&email=a%2Bb@example.com&language=English&t=1000");
  EXPECT_TRUE(busy);
  EXPECT_TRUE(locked);
  EXPECT_EQ(stored, L"a+b@example.com");
  EXPECT_FALSE(w().ui.BusyPointer());
  EXPECT_TRUE(OnProfilePage());
}

TEST_F(SecondPages, DeclineMovesOnWithoutStoringOrSending) {
  w().subscription.address.SetCaption(L"reader@example.com");
  w().subscription.decline.Click();
  EXPECT_TRUE(OnProfilePage());
  EXPECT_EQ(w().ui.DefaultButton(), &w().profile.save);
  EXPECT_EQ(w().ui.CancelButton(), nullptr);
  EXPECT_TRUE(m.http.requests.empty());
  EXPECT_EQ(m.Setting(L"Settings", L"Subscription Email"), L"");
  EXPECT_TRUE(m.dialogs.shown.empty());
}

TEST(ComputerProfile, TheDisplayScalingTableLaterFindsOverride) {
  EXPECT_EQ(DpiText(L"60 00 00 00 "), L"96");
  EXPECT_EQ(DpiText(L"90 00 00 00 "), L"144");
  EXPECT_EQ(DpiText(L"C0 00 00 00 "), L"192");
  EXPECT_EQ(DpiText(L""), L"OTHER");
  EXPECT_EQ(DpiText(L"48 60 00 00 "), L"96");
}

TEST_F(SecondPages, JoiningSendsThreeFactsThenThanksAndEnds) {
  const std::pair<std::optional<uint32_t>, const wchar_t*> displays[] = {
      {96, L"96"}, {144, L"144"}, {std::nullopt, L"OTHER"}};
  for (const auto& [dpi, sent] : displays) {
    m.Store(L"Settings", L"CIP", L"");
    m.http.requests.clear();
    m.dialogs.shown.clear();
    m.toolkit.ended = false;
    if (dpi) {
      m.registry.CreateKey(Hive::CurrentUser, kDpiKey);
      m.registry.SetValue(Hive::CurrentUser, kDpiKey, L"AppliedDPI", DwordValue(*dpi));
    } else {
      m.registry.DeleteValue(Hive::CurrentUser, kDpiKey, L"AppliedDPI");
    }
    m.files.PutFile(L"C:\\Windows\\Microsoft.NET\\Framework\\v3.5\\MSBuild.exe", "");
    m.http.answer = Answer("thanks");
    ASSERT_TRUE(Open());
    w().subscription.decline.Click();
    w().profile.join.Click();
    bool busy = false, locked = false;
    m.toolkit.At(0, [&] {
      busy = w().ui.BusyPointer();
      locked = !w().profile.save.Enabled();
    });
    w().profile.save.Click();
    const std::wstring query = L"http://www.vantrel.example/privacy/_from_soft.cgi?scn=VNL&to=cip&version=3.07";
    ASSERT_EQ(m.http.requests.size(), 3u);
    for (const auto& r : m.http.requests) EXPECT_EQ(r.url.rfind(query, 0), 0u) << r.url;
    EXPECT_TRUE(m.http.requests[0].url.ends_with(L"&language=English&info=WINOS|10"));
    EXPECT_TRUE(m.http.requests[1].url.ends_with(std::wstring(L"&info=DPI2|") + sent)) << m.http.requests[1].url;
    EXPECT_TRUE(m.http.requests[2].url.ends_with(L"&info=NET35|YES"));
    EXPECT_TRUE(busy && locked);
    EXPECT_FALSE(m.files.FileExists(kCipFile));
    EXPECT_EQ(m.Setting(L"Settings", L"CIP"), L"YES");
    EXPECT_EQ(Told(), (std::vector{std::make_pair(Text(L"CIP", L"THANKS"), mb::Information)}));
    EXPECT_TRUE(m.toolkit.ended);
    EXPECT_FALSE(w().ui.Visible());
  }
}

TEST_F(SecondPages, JoiningOfflineStillThanksAndStores) {
  m.http.answer.reset();
  w().subscription.decline.Click();
  w().profile.join.Click();
  w().profile.save.Click();
  EXPECT_EQ(m.http.requests.size(), 3u);
  EXPECT_TRUE(m.http.requests[2].url.ends_with(L"&info=NET35|NO"));
  EXPECT_EQ(m.Setting(L"Settings", L"CIP"), L"YES");
  EXPECT_EQ(Told(), (std::vector{std::make_pair(Text(L"CIP", L"THANKS"), mb::Information)}));
  EXPECT_TRUE(m.toolkit.ended);
}

TEST_F(SecondPages, NotJoiningSendsNothingAndStoresNo) {
  m.Store(L"Settings", L"CIP", L"YES");
  ASSERT_TRUE(Open());
  w().subscription.decline.Click();
  w().profile.join.Click();
  w().profile.save.Click();
  EXPECT_TRUE(m.http.requests.empty());
  EXPECT_EQ(m.Setting(L"Settings", L"CIP"), L"NO");
  EXPECT_TRUE(m.dialogs.shown.empty());
  EXPECT_TRUE(m.toolkit.ended);
  ASSERT_TRUE(Open());
  EXPECT_EQ(w().profile.join.Value(), 0);
}

}  // namespace
}  // namespace vantrel::test
