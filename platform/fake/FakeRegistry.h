// An in-memory registry with the Windows rules: names match without regard
// to case, values live in existing keys, a key with subkeys cannot be deleted.
#pragma once
#include <map>
#include <string>

#include "platform/Registry.h"
#include "platform/fake/Faults.h"

namespace vantrel::fake {

class FakeRegistry : public Registry {
 public:
  // Fails the Nth SetValue (FsOp::RegistrySet), whatever its key.
  Faults faults;
  bool HasKey(Hive hive, const std::wstring& key) const;
  std::size_t ValueCount(Hive hive) const;

  std::optional<RegValue> Query(Hive hive, const std::wstring& key,
                                const std::wstring& name) override;
  bool CreateKey(Hive hive, const std::wstring& key) override;
  bool SetValue(Hive hive, const std::wstring& key, const std::wstring& name,
                const RegValue& value) override;
  bool DeleteValue(Hive hive, const std::wstring& key, const std::wstring& name) override;
  bool DeleteKey(Hive hive, const std::wstring& key) override;

 private:
  using Values = std::map<std::wstring, RegValue>;  // by lower-cased name
  std::map<std::wstring, Values>& Keys(Hive hive) { return hives_[static_cast<int>(hive)]; }
  std::map<int, std::map<std::wstring, Values>> hives_;  // keys by lower-cased path
};

}  // namespace vantrel::fake
