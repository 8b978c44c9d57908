#include "lang/Language.h"

#include "app/Settings.h"
#include "lang/Charset.h"
#include "lang/LanguageChoice.h"
#include "platform/Platform.h"
#include "services/IniHelpers.h"
#include "services/Paths.h"
#include "services/Quietly.h"

namespace vantrel {

namespace {

LanguageState g_lang;

std::wstring LanguageFile(const std::wstring& name) { return g_lang.LanguageFolder + L"\\" + name + L".ini"; }

std::wstring ReadText(const std::wstring& section, const std::wstring& key, const std::wstring& file,
                      unsigned codePage) {
  const std::string bytes = IniReadBytes(section, key, file);
  if (bytes.empty()) return {};
  return Quietly(std::wstring(), [&] {
    return Os().codec->Decode(codePage ? codePage : Os().codec->AnsiCodePage(), bytes);
  });
}

}  // namespace

LanguageState& Lang() { return g_lang; }

std::wstring LangText(const std::wstring& section, const std::wstring& key) {
  std::wstring text = ReadText(section, key, LanguageFile(g_lang.LanguageName), g_lang.codePage);
  if (text.empty()) text = ReadText(section, key, LanguageFile(L"English"), g_lang.englishCodePage);
  if (text.empty()) text = g_lang.LanguageName + L" error, text not found: " + section + L", " + key;
  return text;
}

bool InitLanguage() {
  const std::wstring folder = Os().system->ApplicationFolder() + L"\\Languages";
  if (!FolderExists(folder)) {
    MsgBox(L"Languages not found! Reinstall program!", mb::Critical);
    return false;
  }
  g_lang = LanguageState{};
  g_lang.LanguageFolder = folder;
  g_lang.LanguageName = ReadSetting(kProgramSettings, L"Settings", L"Language");
  if (!g_lang.LanguageName.empty()) {
    if (!FileExists(LanguageFile(g_lang.LanguageName))) {
      MsgBox(L"Language file " + g_lang.LanguageName + L" not found! Restart/reinstall program!",
             mb::Critical);
      WriteSetting(kProgramSettings, L"Settings", L"Language", L"English");
      return false;
    }
  } else {
    g_lang.LanguageName = DetectLanguage();
    WriteSetting(kProgramSettings, L"Settings", L"Language", g_lang.LanguageName);
  }
  // The number is plain ASCII, so it reads the same in any code page.
  g_lang.LanguageCharset = ParseCharset(LangText(L"CHARSET", L"CHARSET"));
  g_lang.codePage = CodePageForCharset(g_lang.LanguageCharset);
  const std::wstring englishCharset = ReadText(L"CHARSET", L"CHARSET", LanguageFile(L"English"), 0);
  g_lang.englishCodePage = CodePageForCharset(ParseCharset(englishCharset));
  return true;
}

}  // namespace vantrel
