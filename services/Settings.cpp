#include "services/Settings.h"

#include "platform/Platform.h"
#include "services/Quietly.h"

namespace vantrel {

namespace {
std::wstring SectionKey(const std::wstring& application, const std::wstring& section) {
  return L"Software\\VB and VBA Program Settings\\" + application + L"\\" + section;
}
}  // namespace

std::wstring ReadSetting(const std::wstring& application, const std::wstring& section,
                         const std::wstring& key) {
  return Quietly(std::wstring(), [&] {
    const auto value = Os().registry->Query(Hive::CurrentUser, SectionKey(application, section), key);
    // Only text is a setting; a value of another type someone put there reads as absent.
    if (!value || (value->type != regtype::String && value->type != regtype::ExpandString))
      return std::wstring();
    return RegText(*value);
  });
}

bool WriteSetting(const std::wstring& application, const std::wstring& section,
                  const std::wstring& key, const std::wstring& value) {
  return Quietly(false, [&] {
    const std::wstring path = SectionKey(application, section);
    return Os().registry->CreateKey(Hive::CurrentUser, path) &&
           Os().registry->SetValue(Hive::CurrentUser, path, key, StringValue(value));
  });
}

}  // namespace vantrel
