// The registry as the logic sees it: hives, keys and typed values.
// Value data is kept as the raw bytes the registry stores; string types are
// UTF-16LE with their terminating NUL, as the wide registry functions give them.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

enum class Hive { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

namespace regtype {
constexpr uint32_t None = 0;
constexpr uint32_t String = 1;
constexpr uint32_t ExpandString = 2;
constexpr uint32_t Binary = 3;
constexpr uint32_t Dword = 4;
constexpr uint32_t DwordBigEndian = 5;
constexpr uint32_t MultiString = 7;
}  // namespace regtype

struct RegValue {
  uint32_t type = regtype::None;
  std::vector<uint8_t> data;
};

// Builds a REG_SZ value from text (UTF-16LE plus the NUL).
RegValue StringValue(const std::wstring& text);
// Builds a REG_DWORD value.
RegValue DwordValue(int32_t number);

class Registry {
 public:
  virtual ~Registry() = default;
  // Key paths use backslashes and no leading or trailing one; an empty value
  // name is the key's default value. Names match without regard to case.
  virtual std::optional<RegValue> Query(Hive hive, const std::wstring& key,
                                        const std::wstring& name) = 0;
  // Creates the key and any missing parents.
  virtual bool CreateKey(Hive hive, const std::wstring& key) = 0;
  // The key must exist.
  virtual bool SetValue(Hive hive, const std::wstring& key, const std::wstring& name,
                        const RegValue& value) = 0;
  virtual bool DeleteValue(Hive hive, const std::wstring& key, const std::wstring& name) = 0;
  // Refuses a key that still has subkeys, as the shell's registry delete does.
  virtual bool DeleteKey(Hive hive, const std::wstring& key) = 0;
};

}  // namespace vantrel

namespace vantrel {
// The text of a string value (types 1, 2): UTF-16LE up to its first NUL.
std::wstring RegText(const RegValue& value);
}  // namespace vantrel
