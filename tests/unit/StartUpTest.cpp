#include <gtest/gtest.h>

#include "lang/Language.h"
#include "tests/unit/StartMachine.h"

namespace vantrel::test {

std::wstring StartMachine::Text(const wchar_t* section, const wchar_t* key) { return LangText(section, key); }

namespace {

TEST(StartUp, ANewAccountGetsTheDefaultsAndStoresThem) {
  StartMachine m;
  ASSERT_TRUE(m.Start());
  EXPECT_EQ(m.form->CurrentPage, 1);
  EXPECT_TRUE(m(L"win", 1).Visible());
  EXPECT_FALSE(m(L"win", 0).Visible());
  EXPECT_EQ(m(L"Option8").Value(), 1);
  EXPECT_EQ(m(L"Option6").Value(), 1);
  EXPECT_EQ(m(L"Option2").Value(), 1);
  EXPECT_EQ(m(L"Option1").Value() + m(L"Option3").Value() + m(L"Option7").Value(), 0);
  EXPECT_TRUE(Ticked(m(L"Check3")));
  EXPECT_FALSE(Ticked(m(L"Check4")));
  EXPECT_FALSE(Ticked(m(L"Check9")));
  EXPECT_FALSE(Ticked(m(L"Check7")));
  // Standby prevention is offered on every version, ticked by default.
  EXPECT_TRUE(Ticked(m(L"Check5")));
  EXPECT_TRUE(m(L"Check5").Enabled());
  EXPECT_EQ(m.Setting(L"Settings", L"PreventStandBy"), L"");
  // Restorations raise the click behaviour and write the value back.
  EXPECT_FALSE(m.registry.Query(Hive::CurrentUser, L"Software\\VB and VBA Program Settings\\VNL\\SecurityMethod", L"Value"));
  EXPECT_TRUE(m.registry.Query(Hive::CurrentUser, L"Software\\VB and VBA Program Settings\\VNL\\NTFSMODE", L"VALUE"));
  EXPECT_TRUE(m.registry.Query(Hive::CurrentUser, L"Software\\VB and VBA Program Settings\\VNL\\Settings", L"PlaySound"));
  EXPECT_FALSE(m(L"Check6").Value());
  EXPECT_EQ(m.form->ui.Caption(), L"Vantrel 3.07 English");
  EXPECT_EQ(m(L"Command1").Caption(), m.Text(L"INTERFACE", L"COMMAND1"));
  EXPECT_EQ(m(L"Label12").Caption(), L"English");
  EXPECT_EQ(m(L"Label44").Caption(), L"");
  EXPECT_EQ(m(L"StepInfo", 3).Caption(), m.Text(L"VERSION3", L"STEP4-TITLE"));
  EXPECT_TRUE(m.dialogs.shown.empty());
  for (Timer* t : m.form->ui.Timers()) EXPECT_FALSE(t->Enabled()) << t->name().size();
}

TEST(StartUp, StandbyBoxKeepsTheStoredChoiceOnEveryVersion) {
  for (const uint32_t version : {5u, 10u}) {
    StartMachine m;
    m.system.majorVersion = version;
    m.Store(L"Settings", L"PreventStandBy", L"NO");
    ASSERT_TRUE(m.Start());
    EXPECT_FALSE(Ticked(m(L"Check5"))) << version;
    EXPECT_TRUE(m(L"Check5").Enabled()) << version;
    m(L"Check5").Click();
    EXPECT_EQ(m.Setting(L"Settings", L"PreventStandBy"), L"") << version;
  }
}

TEST(StartUp, RestoresStoredChoicesAndIgnoresOddOnes) {
  StartMachine m;
  m.Store(L"SecurityMethod", L"Value", L"4");
  m.Store(L"SecurityWay", L"Value", L"7");
  m.Store(L"NTFSMODE", L"VALUE", L"3");
  m.Store(L"EmptyBin", L"Value", L"YES");
  m.Store(L"Settings", L"PlaySound", L"NO");
  m.Store(L"Settings", L"SHOWGOODONLY", L"YES");
  m.Store(L"RunSecondWindow", L"Value", L"YES");
  ASSERT_TRUE(m.Start());
  EXPECT_EQ(m(L"Option4").Value(), 1);
  EXPECT_EQ(m(L"Option2").Value(), 0);
  EXPECT_EQ(m(L"Option7").Value(), 1);
  EXPECT_EQ(m(L"Option10").Value(), 1);
  EXPECT_TRUE(Ticked(m(L"Check4")));
  EXPECT_FALSE(Ticked(m(L"Check3")));
  EXPECT_TRUE(Ticked(m(L"Check9")));
  EXPECT_TRUE(Ticked(m(L"Check7")));
  EXPECT_EQ(m.form->CurrentPage, 2);
  EXPECT_TRUE(m.form->ui.timer(L"DiskListRefresher").Enabled());
  EXPECT_EQ(m(L"DiskLabel", 0).Caption(), L"C");

  StartMachine odd;
  odd.Store(L"SecurityMethod", L"Value", L"9");
  odd.Store(L"NTFSMODE", L"VALUE", L"5");
  ASSERT_TRUE(odd.Start());
  EXPECT_EQ(odd(L"Option2").Value(), 1);
  EXPECT_EQ(odd(L"Option8").Value() + odd(L"Option9").Value() + odd(L"Option10").Value(), 0);
}

TEST(StartUp, PagingFileOptionFromTheRegistry) {
  StartMachine m;
  const std::wstring key = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
  m.registry.CreateKey(Hive::LocalMachine, key);
  m.registry.SetValue(Hive::LocalMachine, key, L"ClearPageFileAtShutdown", DwordValue(1));
  ASSERT_TRUE(m.Start());
  EXPECT_TRUE(Ticked(m(L"Check6")));
  StartMachine other;
  other.registry.CreateKey(Hive::LocalMachine, key);
  other.registry.SetValue(Hive::LocalMachine, key, L"ClearPageFileAtShutdown", StringValue(L"yes"));
  ASSERT_TRUE(other.Start());
  EXPECT_FALSE(Ticked(other(L"Check6")));
}

TEST(StartUp, MissingBackgroundEndsWithTheCriticalMessage) {
  StartMachine m;
  m.files.RemoveFile(kAppFolder + L"\\program-back.jpg");
  EXPECT_FALSE(m.Start());
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].text, L"No background image! Reinstall program!");
  EXPECT_EQ(m.dialogs.shown[0].style, mb::Critical);
  EXPECT_EQ(m.toolkit.shownForms, 0);
}

TEST(StartUp, LabelsTakeTheLanguageCharacterSet) {
  StartMachine m;
  m.PutLanguage(L"Russian", "[CHARSET]\r\nCHARSET=204\r\n[INTERFACE]\r\nLABEL8=\xC3\xEE\xF2\xEE\xE2\xEE\r\n");
  m.Store(L"Settings", L"Language", L"Russian");
  ASSERT_TRUE(m.Start());
  EXPECT_EQ(m(L"Label8").FontCharset(), 204);
  EXPECT_EQ(m(L"StepInfo", 2).FontCharset(), 204);
  EXPECT_EQ(m(L"Command1").FontCharset(), 1);
  EXPECT_EQ(m(L"Label8").Caption(), L"\u0413\u043E\u0442\u043E\u0432\u043E");
  EXPECT_EQ(m.form->ui.Caption(), L"Vantrel 3.07 Russian");
}

}  // namespace
}  // namespace vantrel::test
