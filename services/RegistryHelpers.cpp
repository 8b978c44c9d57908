#include "services/RegistryHelpers.h"

#include <cmath>
#include <cstdio>

#include "platform/Platform.h"
#include "services/IgnoringFailures.h"
#include "services/NumericText.h"

namespace vantrel {

namespace {

struct Location {
  Hive hive;
  std::wstring key;
  std::wstring name;
};

std::wstring TrimSlashes(std::wstring key) {
  while (!key.empty() && key.back() == L'\\') key.pop_back();
  while (!key.empty() && key.front() == L'\\') key.erase(0, 1);
  return key;
}

// The two hives the direct helpers know, and the text after "HIVE\".
std::optional<std::pair<Hive, std::wstring>> DirectHive(const std::wstring& path) {
  const std::wstring lm = L"HKEY_LOCAL_MACHINE", cu = L"HKEY_CURRENT_USER";
  if (path.compare(0, lm.size(), lm) == 0)
    return std::make_pair(Hive::LocalMachine, path.size() > lm.size() ? path.substr(lm.size() + 1) : L"");
  if (path.compare(0, cu.size(), cu) == 0)
    return std::make_pair(Hive::CurrentUser, path.size() > cu.size() ? path.substr(cu.size() + 1) : L"");
  return std::nullopt;
}

std::optional<std::pair<Hive, std::wstring>> AnyHive(const std::wstring& path) {
  const auto cut = path.find(L'\\');
  const std::wstring root = AsciiUpper(path.substr(0, cut));
  const std::wstring rest = cut == std::wstring::npos ? L"" : path.substr(cut + 1);
  static const std::pair<const wchar_t*, Hive> names[] = {
      {L"HKEY_CURRENT_USER", Hive::CurrentUser},  {L"HKCU", Hive::CurrentUser},
      {L"HKEY_LOCAL_MACHINE", Hive::LocalMachine}, {L"HKLM", Hive::LocalMachine},
      {L"HKEY_CLASSES_ROOT", Hive::ClassesRoot},  {L"HKCR", Hive::ClassesRoot},
      {L"HKEY_USERS", Hive::Users},                {L"HKEY_CURRENT_CONFIG", Hive::CurrentConfig}};
  for (const auto& [name, hive] : names)
    if (root == name) return std::make_pair(hive, rest);
  return std::nullopt;
}

// The last piece is the value's name, the pieces before it the key.
Location SplitValuePath(Hive hive, const std::wstring& rest) {
  const auto cut = rest.rfind(L'\\');
  if (cut == std::wstring::npos) return {hive, L"", rest};
  return {hive, TrimSlashes(rest.substr(0, cut)), rest.substr(cut + 1)};
}

std::wstring HexPairs(const std::vector<uint8_t>& data) {
  std::wstring out;
  for (uint8_t b : data) {
    wchar_t pair[4];
    std::swprintf(pair, 4, L"%02X ", b);
    out += pair;
  }
  return out;
}

}  // namespace

std::wstring RenderRegistryValue(const RegValue& value) {
  switch (value.type) {
    case regtype::String:
    case regtype::ExpandString:
      return RegText(value);
    case regtype::Binary:
    case regtype::Dword:
      return HexPairs(value.data);
    case regtype::DwordBigEndian: {
      std::wstring out;
      for (uint8_t b : value.data) out.push_back(static_cast<wchar_t>(b));
      return out;
    }
    case regtype::MultiString: {
      std::wstring out;
      for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
        const wchar_t c = static_cast<wchar_t>(value.data[i] | (value.data[i + 1] << 8));
        if (c) out.push_back(c);
      }
      return out;
    }
    default:
      return L"";
  }
}

std::wstring RegistryRead(const std::wstring& fullPath) {
  return IgnoringFailures(std::wstring(), [&] {
    const auto hive = DirectHive(fullPath);
    if (!hive) return std::wstring();
    const Location at = SplitValuePath(hive->first, hive->second);
    const auto value = Os().registry->Query(at.hive, at.key, at.name);
    return value ? RenderRegistryValue(*value) : std::wstring();
  });
}

// Writes and deletes run in jobs such as the install, whose other steps
// must still run: a fault is a value not stored or not deleted.
bool RegistryWrite(const std::wstring& keyPath, const std::wstring& valueName,
                   const std::wstring& value, int type) {
  return IgnoringFailures(false, [&] {
    const auto hive = DirectHive(keyPath);
    if (!hive) return false;
    const std::wstring key = TrimSlashes(hive->second);
    if (!Os().registry->CreateKey(hive->first, key)) return false;
    if (type == regtype::String) return Os().registry->SetValue(hive->first, key, valueName, StringValue(value));
    if (type != regtype::Dword) return false;
    const auto number = ParseNumber(value);
    if (!number) return false;
    const double rounded = std::nearbyint(*number);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) return false;
    return Os().registry->SetValue(hive->first, key, valueName, DwordValue(static_cast<int32_t>(rounded)));
  });
}

bool RegistryDelete(const std::wstring& fullPath) {
  return IgnoringFailures(false, [&] {
    const auto hive = AnyHive(fullPath);
    if (!hive) return false;
    if (!fullPath.empty() && fullPath.back() == L'\\')
      return Os().registry->DeleteKey(hive->first, TrimSlashes(hive->second));
    const Location at = SplitValuePath(hive->first, hive->second);
    return Os().registry->DeleteValue(at.hive, at.key, at.name);
  });
}

std::optional<std::wstring> ShellRegistryRead(const std::wstring& fullPath) {
  return IgnoringFailures(std::optional<std::wstring>(), [&]() -> std::optional<std::wstring> {
    const auto hive = AnyHive(fullPath);
    if (!hive) return std::nullopt;
    const Location at = SplitValuePath(hive->first, hive->second);
    const auto value = Os().registry->Query(at.hive, at.key, at.name);
    if (!value) return std::nullopt;
    return RenderRegistryValue(*value);
  });
}

}  // namespace vantrel
