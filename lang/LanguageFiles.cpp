#include "lang/LanguageFiles.h"

#include <algorithm>

#include "lang/LanguageState.h"
#include "platform/Platform.h"
#include "services/IgnoringFailures.h"
#include "services/NumericText.h"

namespace vantrel {

namespace {

bool EndsWithIni(const std::wstring& name) {
  return name.size() > 4 && AsciiLower(name.substr(name.size() - 4)) == L".ini";
}

}  // namespace

std::vector<std::wstring> LanguageFiles() {
  std::vector<std::wstring> names =
      IgnoringFailures(std::vector<std::wstring>(), [] { return Os().files->ListFiles(Lang().LanguageFolder); });
  std::erase_if(names, [](const std::wstring& name) { return !EndsWithIni(name); });
  std::sort(names.begin(), names.end(),
            [](const std::wstring& a, const std::wstring& b) { return AsciiLower(a) < AsciiLower(b); });
  return names;
}

bool SameLanguageName(const std::wstring& a, const std::wstring& b) { return AsciiLower(a) == AsciiLower(b); }

}  // namespace vantrel
