// The live list of drives and the facts of each, asked of the system anew on
// every call: a stick can come or go between any two of them.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

namespace drivetype {
constexpr int Unknown = 0, Removable = 1, Fixed = 2, Network = 3, CdRom = 4, RamDisk = 5;
}

struct VolumeFacts {
  std::wstring FileSystem;
  std::wstring VolumeName;
  int32_t SerialNumber = 0;  // signed, as the volume reports it
};

class Drives {
 public:
  virtual ~Drives() = default;
  // Drive letters without colon, in the system's order ("" for a drive that
  // has none).
  virtual std::vector<std::wstring> Letters() = 0;
  virtual int DriveType(const std::wstring& letter) = 0;
  // A medium is present and readable.
  virtual bool IsReady(const std::wstring& letter) = 0;
  virtual std::optional<VolumeFacts> Volume(const std::wstring& letter) = 0;
  virtual std::optional<uint64_t> TotalSize(const std::wstring& letter) = 0;
  // Bytes free for the current user on the volume of a path ("D:").
  virtual std::optional<uint64_t> AvailableSpace(const std::wstring& path) = 0;
};

}  // namespace vantrel
