// Drives staged by a test: plug one in, pull it out, make it fail on a query,
// by its own flags or through the fault table (FsOp::FreeSpace, Volume,
// TotalSize), where any outcome makes the question go unanswered.
#pragma once
#include <map>

#include "platform/Drives.h"
#include "platform/fake/FakeFileSystem.h"

namespace vantrel::fake {

struct FakeDrive {
  std::wstring letter;
  int type = drivetype::Fixed;
  bool ready = true;
  uint64_t total = 500'000'000'000ull;
  uint64_t available = 200'000'000'000ull;
  VolumeFacts volume{L"NTFS", L"", 12345};
  // Answers Letters() but vanishes for every later question.
  bool vanishesOnQuery = false;
};

class FakeDrives : public Drives {
 public:
  // A drive whose letter has a capacity in this file system reports its
  // size and free space from what the files on it take.
  explicit FakeDrives(FakeFileSystem* files = nullptr) : files_(files) {}
  std::vector<FakeDrive> drives;  // in the system's order
  FakeDrive& Plug(FakeDrive d) {
    drives.push_back(d);
    return drives.back();
  }
  void Unplug(const std::wstring& letter);
  FakeDrive* Plugged(const std::wstring& letter);
  // The file system's fault table, or one of the drives' own without one.
  Faults& faults() { return files_ ? files_->faults : ownFaults_; }

  std::vector<std::wstring> Letters() override;
  int DriveType(const std::wstring& letter) override;
  bool IsReady(const std::wstring& letter) override;
  std::optional<VolumeFacts> Volume(const std::wstring& letter) override;
  std::optional<uint64_t> TotalSize(const std::wstring& letter) override;
  std::optional<uint64_t> AvailableSpace(const std::wstring& path) override;

 private:
  FakeFileSystem* files_;
  Faults ownFaults_;
  bool Faulty(FsOp op) { return faults().Next(op) != FsFailure::None; }
  const FakeDrive* Answering(const std::wstring& letterOrPath) const;
};

}  // namespace vantrel::fake
