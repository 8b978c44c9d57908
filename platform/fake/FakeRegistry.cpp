#include "platform/fake/FakeRegistry.h"

#include "platform/fake/WinPath.h"

namespace vantrel::fake {

bool FakeRegistry::HasKey(Hive hive, const std::wstring& key) const {
  const auto h = hives_.find(static_cast<int>(hive));
  return h != hives_.end() && h->second.count(PathKey(key));
}

std::size_t FakeRegistry::ValueCount(Hive hive) const {
  const auto h = hives_.find(static_cast<int>(hive));
  std::size_t n = 0;
  if (h != hives_.end())
    for (const auto& [k, values] : h->second) n += values.size();
  return n;
}

std::optional<RegValue> FakeRegistry::Query(Hive hive, const std::wstring& key,
                                            const std::wstring& name) {
  auto& keys = Keys(hive);
  const auto k = keys.find(PathKey(key));
  if (k == keys.end()) return std::nullopt;
  const auto v = k->second.find(LowerAscii(name));
  if (v == k->second.end()) return std::nullopt;
  return v->second;
}

bool FakeRegistry::CreateKey(Hive hive, const std::wstring& key) {
  auto& keys = Keys(hive);
  std::wstring k = PathKey(key);
  while (!k.empty()) {
    keys[k];
    k = ParentKey(k);
  }
  return true;
}

bool FakeRegistry::SetValue(Hive hive, const std::wstring& key, const std::wstring& name,
                            const RegValue& value) {
  if (faults.Next(FsOp::RegistrySet) != FsFailure::None) return false;
  auto& keys = Keys(hive);
  const auto k = keys.find(PathKey(key));
  if (k == keys.end()) return false;
  k->second[LowerAscii(name)] = value;
  return true;
}

bool FakeRegistry::DeleteValue(Hive hive, const std::wstring& key, const std::wstring& name) {
  auto& keys = Keys(hive);
  const auto k = keys.find(PathKey(key));
  return k != keys.end() && k->second.erase(LowerAscii(name)) == 1;
}

bool FakeRegistry::DeleteKey(Hive hive, const std::wstring& key) {
  auto& keys = Keys(hive);
  const std::wstring k = PathKey(key);
  if (k.empty() || !keys.count(k)) return false;
  for (const auto& [other, values] : keys)
    if (ParentKey(other) == k) return false;
  keys.erase(k);
  return true;
}

}  // namespace vantrel::fake
