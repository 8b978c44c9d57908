#include "lang/LanguageFiles.h"

#include <algorithm>
#include <cwctype>

#include "platform/Platform.h"
#include "services/LanguageState.h"
#include "services/Quietly.h"

namespace vantrel {

namespace {

std::wstring Lower(std::wstring text) {
  for (auto& ch : text) ch = static_cast<wchar_t>(std::towlower(ch));
  return text;
}

bool EndsWithIni(const std::wstring& name) { return name.size() > 4 && Lower(name.substr(name.size() - 4)) == L".ini"; }

}  // namespace

std::vector<std::wstring> LanguageFiles() {
  std::vector<std::wstring> names =
      Quietly(std::vector<std::wstring>(), [] { return Os().files->ListFiles(Lang().LanguageFolder); });
  std::erase_if(names, [](const std::wstring& name) { return !EndsWithIni(name); });
  std::sort(names.begin(), names.end(),
            [](const std::wstring& a, const std::wstring& b) { return Lower(a) < Lower(b); });
  return names;
}

bool SameLanguageName(const std::wstring& a, const std::wstring& b) { return Lower(a) == Lower(b); }

}  // namespace vantrel
