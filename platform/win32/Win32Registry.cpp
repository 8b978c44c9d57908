#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"

namespace vantrel::win32 {

namespace {

HKEY Root(Hive hive) {
  switch (hive) {
    case Hive::ClassesRoot: return HKEY_CLASSES_ROOT;
    case Hive::CurrentUser: return HKEY_CURRENT_USER;
    case Hive::LocalMachine: return HKEY_LOCAL_MACHINE;
    case Hive::Users: return HKEY_USERS;
    case Hive::CurrentConfig: return HKEY_CURRENT_CONFIG;
  }
  return HKEY_CURRENT_USER;
}

bool Open(Hive hive, const std::wstring& key, REGSAM access, KeyHandle& out) {
  return RegOpenKeyExW(Root(hive), key.c_str(), 0, access, out.out()) == ERROR_SUCCESS;
}

}  // namespace

std::optional<RegValue> Win32Registry::Query(Hive hive, const std::wstring& key,
                                             const std::wstring& name) {
  KeyHandle k;
  if (!Open(hive, key, KEY_QUERY_VALUE, k)) return std::nullopt;
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  RegValue value;
  value.type = type;
  value.data.resize(size);
  if (size && RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, value.data.data(), &size) !=
                  ERROR_SUCCESS)
    return std::nullopt;
  value.data.resize(size);
  return value;
}

bool Win32Registry::CreateKey(Hive hive, const std::wstring& key) {
  KeyHandle k;
  return RegCreateKeyExW(Root(hive), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, 0x3F, nullptr,
                         k.out(), nullptr) == ERROR_SUCCESS;
}

bool Win32Registry::SetValue(Hive hive, const std::wstring& key, const std::wstring& name,
                             const RegValue& value) {
  KeyHandle k;
  if (!Open(hive, key, KEY_SET_VALUE, k)) return false;
  return RegSetValueExW(k.get(), name.c_str(), 0, value.type, value.data.data(),
                        static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(Hive hive, const std::wstring& key, const std::wstring& name) {
  KeyHandle k;
  if (!Open(hive, key, KEY_SET_VALUE, k)) return false;
  return RegDeleteValueW(k.get(), name.c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteKey(Hive hive, const std::wstring& key) {
  if (key.empty()) return false;
  return RegDeleteKeyW(Root(hive), key.c_str()) == ERROR_SUCCESS;
}

}  // namespace vantrel::win32
