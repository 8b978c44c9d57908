#include "platform/fake/FakeDrives.h"

#include <algorithm>
#include <cwctype>

#include "platform/fake/WinPath.h"

namespace vantrel::fake {

void FakeDrives::Unplug(const std::wstring& letter) {
  drives.erase(std::remove_if(drives.begin(), drives.end(),
                              [&](const FakeDrive& d) { return LowerAscii(d.letter) == LowerAscii(letter); }),
               drives.end());
}

FakeDrive* FakeDrives::Plugged(const std::wstring& letter) {
  for (FakeDrive& d : drives)
    if (LowerAscii(d.letter) == LowerAscii(letter)) return &d;
  return nullptr;
}

const FakeDrive* FakeDrives::Answering(const std::wstring& letterOrPath) const {
  const std::wstring letter = LowerAscii(letterOrPath.substr(0, 1));
  for (const FakeDrive& d : drives)
    if (!d.letter.empty() && LowerAscii(d.letter) == letter) return d.vanishesOnQuery ? nullptr : &d;
  return nullptr;
}

std::vector<std::wstring> FakeDrives::Letters() {
  std::vector<std::wstring> letters;
  for (const FakeDrive& d : drives) letters.push_back(d.letter);
  return letters;
}

int FakeDrives::DriveType(const std::wstring& letter) {
  const FakeDrive* d = Answering(letter);
  return d ? d->type : drivetype::Unknown;
}

bool FakeDrives::IsReady(const std::wstring& letter) {
  const FakeDrive* d = Answering(letter);
  return d && d->ready;
}

std::optional<VolumeFacts> FakeDrives::Volume(const std::wstring& letter) {
  const bool faulty = Faulty(FsOp::Volume);
  const FakeDrive* d = Answering(letter);
  if (faulty || !d || !d->ready) return std::nullopt;
  return d->volume;
}

std::optional<uint64_t> FakeDrives::TotalSize(const std::wstring& letter) {
  const bool faulty = Faulty(FsOp::TotalSize);
  const FakeDrive* d = Answering(letter);
  if (faulty || !d || !d->ready) return std::nullopt;
  const wchar_t up = static_cast<wchar_t>(std::towupper(d->letter[0]));
  if (files_ && files_->capacity.count(up)) return files_->capacity.at(up);
  return d->total;
}

std::optional<uint64_t> FakeDrives::AvailableSpace(const std::wstring& path) {
  const bool faulty = Faulty(FsOp::FreeSpace);
  const FakeDrive* d = Answering(path);
  if (faulty || !d || !d->ready) return std::nullopt;
  const wchar_t up = static_cast<wchar_t>(std::towupper(d->letter[0]));
  if (files_ && files_->capacity.count(up)) return files_->capacity.at(up) - files_->UsedOn(up);
  return d->available;
}

}  // namespace vantrel::fake
