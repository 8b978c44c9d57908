#include <gtest/gtest.h>

#include <regex>

#include "lang/LanguageState.h"
#include "maker/Download.h"
#include "maker/ErrorReport.h"
#include "maker/ServiceUrl.h"
#include "maker/UpdateCheck.h"
#include "services/Environment.h"
#include "services/IniHelpers.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {
namespace {

const std::wstring kData = L"C:\\Users\\test\\AppData\\Roaming\\VNL";
const std::wstring kTrace = kData + L"\\fileerror.txt";
const std::wstring kList = kData + L"\\was_errors.txt";
constexpr int64_t kDay = 86400;

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// The shipped program on a machine with a browser.
struct ServiceMachine : StartMachine {
  ServiceMachine() {
    const std::wstring key = L"HTTP\\shell\\open\\command";
    registry.CreateKey(Hive::ClassesRoot, key);
    registry.SetValue(Hive::ClassesRoot, key, L"", StringValue(L"\"browser.exe\" \"%1\""));
  }
  int64_t Today() { return clock.NowSeconds() / kDay * kDay; }
  std::wstring DateText(int64_t daysBack) { return *clock.FormatDateTime(Today() - daysBack * kDay); }
  std::vector<std::wstring> Shown() {
    std::vector<std::wstring> texts;
    for (const auto& s : dialogs.shown) texts.push_back(s.text);
    return texts;
  }
  bool Asked(const wchar_t* section, const wchar_t* key) {
    for (const auto& s : dialogs.shown)
      if (s.text.find(Text(section, key)) != std::wstring::npos) return true;
    return false;
  }
};

TEST(ServiceUrl, AddressOfAGermanUser) {
  FakeMachine m;
  m.system.country = L"Germany";
  InitEnvironment();
  const std::wstring kept = Lang().LanguageName;
  Lang().LanguageName = L"German";
  const std::regex expected(
      R"(http://www\.vantrel\.example/privacy/_from_soft\.cgi\?scn=VNL&to=updates&version=3\.07&country=Germany&pcid=\d{9}&language=German)");
  EXPECT_TRUE(std::regex_match(Narrow(ServiceUrl(L"updates", L"", true)), expected));
  Lang().LanguageName = kept;
}

// Only a plain host from the machine hive, which standard users cannot
// write, replaces the built-in one; the shared INI file, which they can, has
// no say.
TEST(ServiceUrl, TheHostOverrideIsAPlainHostFromTheMachineHive) {
  FakeMachine m;
  InitEnvironment();
  IniWrite(kModuleSection, L"ENDPOINT-HOST", L"planted.test", ModuleIniFile());
  const std::wstring builtIn = L"www.vantrel.example", key = L"Software\\Vantrel";
  const std::pair<std::wstring, std::wstring> hosts[] = {
      {L"127.0.0.1", L"127.0.0.1"},
      {L"updates.example-host.org:8123", L"updates.example-host.org:8123"},
      {std::wstring(253, L'a') + L":65535", std::wstring(253, L'a') + L":65535"},
      {std::wstring(254, L'a'), builtIn},
      {L"evil.test/x", builtIn},
      {L"a b", builtIn},
      {L"http://x", builtIn},
      {L"user@x", builtIn},
      {L"host:99999", builtIn},
      {L"host:0", builtIn},
      {L"host:", builtIn},
      {L"h\u00e9st.example", builtIn},
      {L"", builtIn}};
  EXPECT_EQ(EndpointAddress(), L"http://" + builtIn + L"/privacy/_from_soft.cgi");
  m.registry.CreateKey(Hive::LocalMachine, key);
  for (const auto& [value, host] : hosts) {
    m.registry.SetValue(Hive::LocalMachine, key, L"EndpointHost", StringValue(value));
    EXPECT_EQ(ServiceUrl(L"site", L"", true).rfind(L"http://" + host + L"/privacy/_from_soft.cgi?scn=VNL&to=site&", 0),
              0u)
        << Narrow(value);
  }
  // A number is no host name.
  m.registry.SetValue(Hive::LocalMachine, key, L"EndpointHost", DwordValue(8123));
  EXPECT_EQ(EndpointAddress(), L"http://" + builtIn + L"/privacy/_from_soft.cgi");
}

TEST(ServiceUrl, EncodesOnlyWhatBreaksTheAddress) {
  FakeMachine m;
  m.system.country = L"People's Republic of China";
  InitEnvironment();
  const std::wstring record = std::wstring(L"x|ver:3.07|A B#%\"<>\\") + wchar_t(1) + wchar_t(0) + L"\u00e9&=?/";
  const std::wstring url = ServiceUrl(L"bugs", L"&info=" + record, true);
  EXPECT_NE(url.find(L"&country=People's%20Republic%20of%20China&pcid="), std::wstring::npos) << url;
  EXPECT_NE(url.find(L"&info=x|ver:3.07|A%20B%23%25%22%3C%3E%5C%01%00%E9&=?/"), std::wstring::npos) << url;
  EXPECT_EQ(url.find(L' '), std::wstring::npos);

  // The identifier comes from a file every user can write: whatever it
  // holds stays one value.
  for (const auto& [id, sent] : {std::pair<std::wstring, std::wstring>{L"1&x=1", L"1%26x%3D1"}, {L"1 2", L"1%202"}}) {
    Env().InstallId = id;
    EXPECT_NE(ServiceUrl(L"site", L"", true).find(L"&pcid=" + sent + L"&language="), std::wstring::npos) << Narrow(id);
  }
}

struct Download : ServiceMachine {
  const std::wstring file = L"C:\\Users\\test\\answer.txt";
  bool Answer(std::size_t length) {
    http.answer = std::string(length, 'a');
    files.RemoveFile(file);
    return DownloadToFile(L"http://127.0.0.1/x", file, 1000);
  }
};

TEST(Download, OnlyAnAnswerOfTheExpectedLengthIsWritten) {
  Download m;
  EXPECT_FALSE(m.Answer(999));
  EXPECT_FALSE(m.files.FileExists(m.file));
  EXPECT_FALSE(m.Answer(1001));
  EXPECT_FALSE(m.files.FileExists(m.file));
  EXPECT_TRUE(m.Answer(1000));
  std::string written;
  ASSERT_TRUE(m.files.ReadAll(m.file, written));
  EXPECT_EQ(written, std::string(1000, 'a'));
  const HttpGet& asked = m.http.requests.back();
  EXPECT_EQ(asked.agent, L"Download Agent");
  EXPECT_EQ(asked.url, L"http://127.0.0.1/x");
}

TEST(Download, AnEndlessAnswerIsReadOnlyOneByteTooFarAndNoServerIsCalm) {
  Download m;
  EXPECT_FALSE(m.Answer(100'000'000));
  EXPECT_EQ(m.http.requests.back().maxBytes, 1001u);
  EXPECT_LE(m.http.pumps, 3);  // 1001 bytes are one block
  EXPECT_EQ(m.http.requests.back().timeoutMs, kDownloadTimeoutMs);
  m.http.answer.reset();
  EXPECT_FALSE(DownloadToFile(L"http://127.0.0.1/x", m.file, 1000));
  EXPECT_FALSE(m.files.FileExists(m.file));
  EXPECT_TRUE(m.dialogs.shown.empty());
}

TEST(UpdateCheck, FirstStartStoresTodayAndAsksNothing) {
  ServiceMachine m;
  ASSERT_TRUE(m.Start());
  EXPECT_EQ(m.Setting(L"Settings", L"Recent Update"), m.DateText(0));
  EXPECT_FALSE(m.Asked(L"UPDATES", L"CHECKUPDATESNOW"));
  EXPECT_EQ(DaysSinceUpdateCheck(), 0);
}

TEST(UpdateCheck, AsksFrom91DaysOnAndNoKeepsTheDate) {
  ServiceMachine m;
  m.Store(L"Settings", L"Recent Update", m.DateText(90).c_str());
  ASSERT_TRUE(m.Start());
  EXPECT_FALSE(m.Asked(L"UPDATES", L"CHECKUPDATESNOW"));

  const std::wstring old = m.DateText(91);
  m.Store(L"Settings", L"Recent Update", old.c_str());
  m.dialogs.shown.clear();
  m.dialogs.answers = {mb::No};
  ASSERT_TRUE(m.Start());
  ASSERT_FALSE(m.dialogs.shown.empty());
  EXPECT_EQ(m.dialogs.shown[0].text, m.Text(L"UPDATES", L"RECENTUPDATECHECKWAS") + L" 91 " +
                                         m.Text(L"UPDATES", L"DAYSAGO") + L"\r\n\r\n" +
                                         m.Text(L"UPDATES", L"CHECKUPDATESNOW"));
  EXPECT_EQ(m.dialogs.shown[0].style, mb::YesNo | mb::Information);
  EXPECT_EQ(m.Setting(L"Settings", L"Recent Update"), old);
  EXPECT_TRUE(m.shell.opened.empty());

  m.dialogs.answers = {mb::Yes};
  ASSERT_TRUE(m.Start());
  EXPECT_EQ(m.Setting(L"Settings", L"Recent Update"), m.DateText(0));
  ASSERT_EQ(m.shell.opened.size(), 1u);
  EXPECT_NE(m.shell.opened[0].find(L"?scn=VNL&to=updates&"), std::wstring::npos);
}

TEST(UpdateCheck, AnUnreadableDateCountsAsNoDaysAndTheVerbStoresToday) {
  ServiceMachine m;
  m.Store(L"Settings", L"Recent Update", L"31.02.garbage");
  ASSERT_TRUE(m.Start());
  EXPECT_EQ(DaysSinceUpdateCheck(), 0);
  EXPECT_FALSE(m.Asked(L"UPDATES", L"CHECKUPDATESNOW"));
  m.Store(L"Settings", L"Recent Update", m.DateText(400).c_str());
  CheckForUpdatesNow();
  EXPECT_EQ(m.Setting(L"Settings", L"Recent Update"), m.DateText(0));
  ASSERT_EQ(m.shell.opened.size(), 1u);
  EXPECT_NE(m.shell.opened[0].find(L"&to=updates&"), std::wstring::npos);
}

struct ErrorReport : ServiceMachine {
  void Leave(const std::string& record) {
    files.MakeFolders(kData);
    files.PutFile(kTrace, record + "\r\n");
  }
  std::string List() {
    std::string bytes;
    files.ReadAll(kList, bytes);
    return bytes;
  }
};

TEST(ErrorReport, OfferedOnceYesListsAndOpensTheRecord) {
  ErrorReport m;
  m.Leave("x|ver:3.07|SOUND");
  m.dialogs.answers = {mb::Yes};
  ASSERT_TRUE(m.Start());
  ASSERT_TRUE(m.Asked(L"ERRORS", L"SEND-ERROR-REPORT-NOW"));
  EXPECT_EQ(m.dialogs.shown[0].style, mb::YesNo | mb::Exclamation);
  EXPECT_FALSE(m.files.FileExists(kTrace));
  EXPECT_EQ(m.List(), "x|ver:3.07|SOUND\r\n");
  ASSERT_EQ(m.shell.opened.size(), 1u);
  EXPECT_NE(m.shell.opened[0].find(L"&to=bugs&"), std::wstring::npos);
  EXPECT_TRUE(m.shell.opened[0].ends_with(L"&info=x|ver:3.07|SOUND"));

  // The next start has no trace; the same record again is not offered again,
  // a new version makes it a new record.
  m.dialogs.shown.clear();
  ASSERT_TRUE(m.Start());
  m.Leave("x|ver:3.07|SOUND");
  ASSERT_TRUE(m.Start());
  EXPECT_FALSE(m.Asked(L"ERRORS", L"SEND-ERROR-REPORT-NOW"));
  EXPECT_FALSE(m.files.FileExists(kTrace));
  m.Leave("x|ver:3.08|SOUND");
  ASSERT_TRUE(m.Start());
  EXPECT_TRUE(m.Asked(L"ERRORS", L"SEND-ERROR-REPORT-NOW"));
  EXPECT_EQ(m.List(), "x|ver:3.07|SOUND\r\nx|ver:3.08|SOUND\r\n");
}

TEST(ErrorReport, NoDeletesTheTraceButKeepsTheRecordOffTheList) {
  ErrorReport m;
  m.Leave("x|ver:3.07|DISKREFRESH1");
  m.dialogs.answers = {mb::No};
  ASSERT_TRUE(m.Start());
  EXPECT_TRUE(m.Asked(L"ERRORS", L"SEND-ERROR-REPORT-NOW"));
  EXPECT_FALSE(m.files.FileExists(kTrace));
  EXPECT_FALSE(m.files.FileExists(kList));
  EXPECT_TRUE(m.shell.opened.empty());
  m.dialogs.shown.clear();
  m.Leave("x|ver:3.07|DISKREFRESH1");
  ASSERT_TRUE(m.Start());
  EXPECT_TRUE(m.Asked(L"ERRORS", L"SEND-ERROR-REPORT-NOW"));
}

TEST(ErrorReport, WhileAnotherCopyRunsItsStepIsNoFailureAndWaitsForALaterStart) {
  ErrorReport m;
  m.Leave("x|ver:3.07|CLEANINGSUB1");
  m.system.machineLocks.insert(L"Vantrel.Run");
  ASSERT_TRUE(m.Start());
  EXPECT_TRUE(m.dialogs.shown.empty());
  EXPECT_TRUE(m.files.FileExists(kTrace));
  m.system.machineLocks.clear();
  m.dialogs.answers = {mb::No};
  ASSERT_TRUE(m.Start());
  EXPECT_TRUE(m.Asked(L"ERRORS", L"SEND-ERROR-REPORT-NOW"));
}

TEST(ErrorReport, WithoutAdministratorRightsTheHintFollowsEitherAnswer) {
  ErrorReport m;
  ASSERT_TRUE(m.Start());
  EXPECT_FALSE(m.Asked(L"ERRORS", L"RUN-AS-ADMIN"));
  Env().IsAdmin = false;
  for (int answer : {mb::Yes, mb::No}) {
    m.dialogs.shown.clear();
    m.Leave(answer == mb::Yes ? "x|ver:3.07|SOUND" : "x|ver:3.07|REFRESHLOGS");
    m.dialogs.answers = {answer};
    OfferErrorReport();
    ASSERT_EQ(m.dialogs.shown.size(), 2u);
    EXPECT_EQ(m.dialogs.shown[0].text, m.Text(L"ERRORS", L"SEND-ERROR-REPORT-NOW"));
    EXPECT_EQ(m.dialogs.shown[1].text, m.Text(L"ERRORS", L"RUN-AS-ADMIN"));
    EXPECT_EQ(m.dialogs.shown[1].style, mb::Information);
  }
}

TEST(ErrorReport, ABinaryTraceIsReportedWithoutBreakingTheAddress) {
  ErrorReport m;
  const std::string garbage("\x00\xff\x7f #\x01\x80z\x0b", 9);
  m.Leave(garbage);
  m.dialogs.answers = {mb::Yes};
  ASSERT_TRUE(m.Start());
  EXPECT_EQ(m.List(), garbage + "\r\n");
  ASSERT_EQ(m.shell.opened.size(), 1u);
  EXPECT_TRUE(m.shell.opened[0].ends_with(L"&info=%00%FF%7F%20%23%01%80z%0B")) << m.shell.opened[0];
}

}  // namespace
}  // namespace vantrel::test
