// The system's INI reader and writer rebuilt over any FileSystem, with the
// matching and trimming rules of the real one.
#pragma once
#include "platform/FileSystem.h"
#include "platform/ProfileFiles.h"

namespace vantrel::fake {

class FakeProfileFiles : public ProfileFiles {
 public:
  explicit FakeProfileFiles(FileSystem& files) : files_(files) {}
  std::string Read(const std::wstring& section, const std::wstring& key, const std::wstring& file,
                   std::size_t capacity) override;
  bool Write(const std::wstring& section, const std::wstring& key, const std::string& value,
             const std::wstring& file) override;

 private:
  FileSystem& files_;
};

}  // namespace vantrel::fake
