#include "lang/Language.h"

#include "lang/Charset.h"
#include "lang/LanguageChoice.h"
#include "platform/Platform.h"
#include "services/IgnoringFailures.h"
#include "services/IniHelpers.h"
#include "services/Paths.h"
#include "services/Settings.h"

namespace vantrel {

namespace {


std::wstring LanguageFile(const std::wstring& name) { return Lang().LanguageFolder + L"\\" + name + L".ini"; }

std::wstring ReadText(const std::wstring& section, const std::wstring& key, const std::wstring& file,
                      unsigned codePage) {
  const std::string bytes = IniReadBytes(section, key, file);
  if (bytes.empty()) return {};
  return IgnoringFailures(std::wstring(), [&] {
    return Os().codec->Decode(codePage ? codePage : Os().codec->AnsiCodePage(), bytes);
  });
}

}  // namespace


std::wstring LangText(const std::wstring& section, const std::wstring& key) {
  std::wstring text = ReadText(section, key, LanguageFile(Lang().LanguageName), Lang().codePage);
  if (text.empty()) text = ReadText(section, key, LanguageFile(L"English"), Lang().englishCodePage);
  if (text.empty()) text = Lang().LanguageName + L" error, text not found: " + section + L", " + key;
  return text;
}

bool InitLanguage() {
  const std::wstring folder = Os().system->ApplicationFolder() + L"\\Languages";
  if (!FolderExists(folder)) {
    MsgBox(L"Languages not found! Reinstall program!", mb::Critical);
    return false;
  }
  Lang() = LanguageState{};
  Lang().LanguageFolder = folder;
  Lang().LanguageName = ReadSetting(kProgramSettings, L"Settings", L"Language");
  if (!Lang().LanguageName.empty()) {
    if (!FileExists(LanguageFile(Lang().LanguageName))) {
      MsgBox(L"Language file " + Lang().LanguageName + L" not found! Restart/reinstall program!",
             mb::Critical);
      WriteSetting(kProgramSettings, L"Settings", L"Language", L"English");
      return false;
    }
  } else {
    Lang().LanguageName = DetectLanguage();
    WriteSetting(kProgramSettings, L"Settings", L"Language", Lang().LanguageName);
  }
  // The number is plain ASCII, so it reads the same in any code page.
  const unsigned systemCodePage = Os().codec->AnsiCodePage();
  Lang().LanguageCharset = ParseCharset(LangText(L"CHARSET", L"CHARSET"));
  Lang().codePage = CodePageForCharset(Lang().LanguageCharset, systemCodePage);
  const std::wstring englishCharset =
      ReadText(L"CHARSET", L"CHARSET", LanguageFile(L"English"), systemCodePage);
  Lang().englishCodePage = CodePageForCharset(ParseCharset(englishCharset), systemCodePage);
  return true;
}

}  // namespace vantrel
