// The maker's web endpoint as the program uses it: its addresses, the
// fetch, the update reminder and the offer to report an error; and the
// browser that opens its pages.
#include <gtest/gtest.h>

#include "services/Checkpoint.h"
#include "maker/Download.h"
#include "services/Environment.h"
#include "services/IniHelpers.h"
#include "services/OpenURL.h"
#include "maker/ServiceUrl.h"
#include "services/Settings.h"
#include "lang/Language.h"
#include "maker/ErrorReport.h"
#include "maker/UpdateCheck.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {
namespace {

// A machine with a browser.
struct Services : ::testing::Test {
  FakeMachine m;
  Services() {
    m.files.MakeFolders(L"C:\\Users\\test\\AppData\\Roaming");
    m.system.country = L"People's Republic of China";
    InitEnvironment();
    m.Browser(L"\"browser.exe\" \"%1\"");
  }
  void Answer(int answer) {
    m.dialogs.shown.clear();
    m.shell.opened.clear();
    m.dialogs.answers = {answer};
  }
  bool Asked(const wchar_t* key) {
    return !m.dialogs.shown.empty() && m.dialogs.shown[0].text.find(key) != std::wstring::npos;
  }
  std::wstring LastCheck() { return ReadSetting(kProgramSettings, L"Settings", L"Recent Update"); }
};

// Values reach the endpoint as they were: only what breaks the address is
// encoded, and the identifier, from a file every user can write, stays one
// value. Only a plain host from the machine hive, which standard users
// cannot write, replaces the built-in one; the shared INI file has no say.
TEST_F(Services, TheAddressCarriesItsFactsIntactToAPlainHost) {
  Env().InstallId = L"1&x=1";
  IniWrite(kModuleSection, L"ENDPOINT-HOST", L"planted.test", ModuleIniFile());
  const std::wstring builtIn = L"www.vantrel.example", key = L"Software\\Vantrel";
  EXPECT_EQ(ServiceUrl(L"bugs", L"&info=x|A B#%\"<>\\\u00e9&=?/", true),
            L"http://" + builtIn +
                L"/privacy/_from_soft.cgi?scn=VNL&to=bugs&version=3.07&country=People's%20Republic"
                L"%20of%20China&pcid=1%26x%3D1&language=&info=x|A%20B%23%25%22%3C%3E%5C%E9&=?/");
  m.registry.CreateKey(Hive::LocalMachine, key);
  const std::wstring longest(253, L'a');
  const std::pair<std::wstring, bool> hosts[] = {
      {L"127.0.0.1", true},   {longest + L":65535", true}, {longest + L"a", false},      {L"evil.test/x", false},
      {L"host:99999", false}, {L"host:0", false},          {L"h\u00e9st.example", false}};
  for (const auto& [value, kept] : hosts) {
    m.registry.SetValue(Hive::LocalMachine, key, L"EndpointHost", StringValue(value));
    EXPECT_EQ(EndpointAddress(), L"http://" + (kept ? value : builtIn) + L"/privacy/_from_soft.cgi")
        << std::string(value.begin(), value.end());
  }
  m.registry.SetValue(Hive::LocalMachine, key, L"EndpointHost", DwordValue(8123));
  EXPECT_EQ(EndpointAddress(), L"http://" + builtIn + L"/privacy/_from_soft.cgi");
}

// Only an answer of the expected length is written, at most one byte more
// is ever read, and no server at all stays quiet.
TEST_F(Services, ADownloadWritesOnlyAnAnswerOfTheExpectedLength) {
  const std::wstring file = L"C:\\Users\\test\\answer.txt";
  const std::pair<std::optional<std::size_t>, bool> answers[] = {
      {999, false}, {1001, false}, {100'000'000, false}, {std::nullopt, false}, {1000, true}};
  for (const auto& [length, written] : answers) {
    m.http.answer = length ? std::optional(std::string(*length, 'a')) : std::nullopt;
    EXPECT_TRUE(DownloadToFile(L"http://127.0.0.1/x", file, 1000) == written && m.files.FileExists(file) == written);
    EXPECT_TRUE(m.http.requests.back().maxBytes == 1001 && m.http.requests.back().timeoutMs == kDownloadTimeoutMs);
  }
  EXPECT_EQ(m.files.Contents(file), std::string(1000, 'a'));
  EXPECT_TRUE(m.dialogs.shown.empty());
}

// The first start makes today the last check; the reminder comes from the
// 91st day on, when asking is allowed: No keeps the date, Yes opens the
// update page and makes today the last check, as the verb does; a date that
// cannot be read counts as today.
TEST_F(Services, TheUpdateReminderComesAfterNinetyDays) {
  EXPECT_EQ(DaysSinceUpdateCheck(), 0);
  const std::wstring today = LastCheck();
  EXPECT_EQ(today, *m.clock.FormatDateTime(m.clock.NowSeconds() / 86400 * 86400));
  const std::tuple<int, bool, int, bool, bool> reminders[] = {{90, true, mb::Yes, false, false},
                                                              {91, false, mb::Yes, false, false},
                                                              {91, true, mb::No, true, false},
                                                              {400, true, mb::Yes, true, true}};
  for (const auto& [daysAgo, allowed, answer, asked, opened] : reminders) {
    const auto at = m.clock.ParseDate(today);
    WriteSetting(kProgramSettings, L"Settings", L"Recent Update", *m.clock.FormatDateTime(*at - daysAgo * 86400));
    Answer(answer);
    UpdateCheckReminder(allowed);
    EXPECT_EQ(Asked(L"RECENTUPDATECHECKWAS"), asked) << daysAgo;
    EXPECT_TRUE(m.shell.opened.size() == (opened ? 1u : 0u) && (LastCheck() == today) == opened) << daysAgo;
  }
  WriteSetting(kProgramSettings, L"Settings", L"Recent Update", L"31.02.garbage");
  EXPECT_EQ(DaysSinceUpdateCheck(), 0);
  CheckForUpdatesNow();
  EXPECT_EQ(LastCheck(), today);
}

// A trace a process left behind is offered once; Yes lists it and opens the
// report page with it, No forgets it; a record reported before is not
// offered again; another copy's run leaves the trace for a later start.
// Without administrator rights, as here, a hint follows the question.
TEST_F(Services, ATraceIsOfferedForReportingOnce) {
  Env().IsAdmin = false;
  const std::tuple<std::string, bool, int, bool, const wchar_t*> starts[] = {
      {"x|ver:3.07|SOUND", false, mb::Yes, true, L"&info=x|ver:3.07|SOUND"},
      {"x|ver:3.07|SOUND", false, mb::Yes, false, nullptr},
      {"x|ver:3.08|SOUND", false, mb::No, true, nullptr},
      {"x|ver:3.08|SOUND", false, mb::Yes, true, L"&info=x|ver:3.08|SOUND"},
      {"x|ver:3.07|CLEANINGSUB1", true, mb::Yes, false, nullptr},
      {std::string("\x00\xff\x7f #\x01\x80z\x0b", 9), false, mb::Yes, true, L"&info=%00%FF%7F%20%23%01%80z%0B"}};
  for (const auto& [record, running, answer, offered, opened] : starts) {
    m.files.PutFile(CheckpointFile(), record + "\r\n");
    m.system.machineLocks = running ? std::set<std::wstring>{L"Vantrel.Run"} : std::set<std::wstring>{};
    Answer(answer);
    OfferErrorReport();
    EXPECT_TRUE(Asked(L"SEND-ERROR-REPORT-NOW") == offered && m.Boxes().size() == (offered ? 2u : 0u)) << record;
    EXPECT_EQ(m.files.FileExists(CheckpointFile()), running);
    EXPECT_TRUE(opened ? m.shell.opened.size() == 1 && m.shell.opened[0].ends_with(opened) : m.shell.opened.empty());
  }
  EXPECT_EQ(m.files.Contents(ReportedErrorsFile()),
            "x|ver:3.07|SOUND\r\nx|ver:3.08|SOUND\r\n" + std::get<0>(starts[5]) + "\r\n");
  EXPECT_EQ(m.Boxes().back(), LangText(L"ERRORS", L"RUN-AS-ADMIN"));
}

// Through the registered handler; when the shell cannot open the address,
// the browser that ships with Windows. (Without a handler key nothing
// happens, and without a browser the user is told: the contract test shows
// both on the real registry.)
TEST_F(Services, AnAddressOpensThroughTheHandlerThenTheBrowser) {
  const std::wstring url = L"http://127.0.0.1/x?a=1", explorer = L"C:\\Program Files\\Internet Explorer\\iexplore.exe";
  m.files.PutFile(explorer, "exe");
  OpenURL(url);
  m.shell.openResult = 2;
  OpenURL(url);
  EXPECT_EQ(m.shell.opened, (std::vector<std::wstring>{url, url}));
  EXPECT_EQ(m.shell.started, std::vector<std::wstring>{L"\"" + explorer + L"\" \"" + url + L"\""});
  EXPECT_TRUE(m.dialogs.shown.empty());
}

}  // namespace
}  // namespace vantrel::test
