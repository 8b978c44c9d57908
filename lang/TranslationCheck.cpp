#include "lang/TranslationCheck.h"

#include "lang/LanguageState.h"
#include "platform/Platform.h"
#include "services/AnsiText.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"
#include "services/IniHelpers.h"
#include "services/NumericText.h"
#include "services/OpenURL.h"
#include "services/Paths.h"
#include "services/TextLines.h"

namespace vantrel {

namespace {

const std::wstring kReference = L"English.ini";

std::string Header(const std::wstring& file) {
  const std::wstring name = AsciiUpper(file.substr(0, file.size() >= 4 ? file.size() - 4 : 0));
  return "================= " + ToAnsi(name) + " =================\r\n";
}

// The reference's interface texts that the file lacks, as report lines.
// The section is looked for anew in each file's pass, so that lines above
// the reference's first section never count as interface texts.
std::string MissingTexts(const std::vector<std::string>& reference, const std::wstring& file) {
  const std::wstring folder = Lang().LanguageFolder;
  std::string missing;
  bool inInterface = false;
  for (const std::string& line : reference) {
    if (line.empty()) continue;
    if (line[0] == '[') inInterface = line == "[INTERFACE]";
    const std::size_t equals = line.find('=');
    if (!inInterface || equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    // A separator such as ";=========" is no text.
    if (key == ";") continue;
    const std::wstring wideKey = FromAnsi(key);
    if (!IniReadBytes(L"INTERFACE", wideKey, folder + L"\\" + file).empty()) continue;
    missing += key + "=" + IniReadBytes(L"INTERFACE", wideKey, folder + L"\\" + kReference) + "\r\n";
  }
  return missing;
}

}  // namespace

void CheckTranslations(const std::vector<std::wstring>& files) {
  IgnoringFailures([&] {
    std::vector<std::string> reference;
    bool read = false;
    std::string report;
    for (const std::wstring& file : files) {
      if (file == kReference) continue;
      if (!read) {
        std::string bytes;
        if (!Os().files->ReadAll(Lang().LanguageFolder + L"\\" + kReference, bytes)) {
          MsgBox(L"Language file " + kReference + L" not found! The translations cannot be checked.", mb::Exclamation);
          return;
        }
        reference = Lines(bytes);
        read = true;
      }
      report += Header(file) + MissingTexts(reference, file) + "\r\n";
    }
    if (report.empty()) {
      MsgBox(L"Interface translated completely.");
      return;
    }
    const std::wstring target = Env().DataFolder + L"\\temp.txt";
    if (!Os().files->WriteAll(target, report + "\r\n")) {
      MsgBox(L"The report " + target + L" could not be written.", mb::Exclamation);
      return;
    }
    OpenURL(ShortPath(target));
  });
}

}  // namespace vantrel
