#include "platform/fake/FakeFileSystem.h"

#include "platform/fake/WinPath.h"

#include <cwctype>

namespace vantrel::fake {

void FakeFileSystem::AddDrive(wchar_t letter) {
  Entry e;
  e.folder = true;
  e.name = std::wstring(1, letter) + L":";
  e.order = nextOrder_++;
  entries_[PathKey(e.name)] = e;
}

void FakeFileSystem::MakeFolders(const std::wstring& path) {
  const std::wstring key = PathKey(path);
  if (key.empty() || entries_.count(key)) return;
  MakeFolders(ParentKey(key));
  Entry e;
  e.folder = true;
  e.name = LeafName(path);
  e.order = nextOrder_++;
  entries_[key] = e;
}

void FakeFileSystem::PutFile(const std::wstring& path, const std::string& bytes, bool readOnly) {
  const std::wstring key = PathKey(path);
  MakeFolders(ParentKey(key));
  Entry& e = entries_[key];
  e.folder = false;
  e.bytes = bytes;
  e.readOnly = readOnly;
  e.name = LeafName(path);
  e.order = nextOrder_++;
}

std::string FakeFileSystem::Contents(const std::wstring& path) const {
  const auto it = entries_.find(PathKey(path));
  return it == entries_.end() ? std::string() : it->second.bytes;
}

FakeFileSystem::Entry* FakeFileSystem::Find(const std::wstring& path) {
  const auto it = entries_.find(PathKey(path));
  return it == entries_.end() ? nullptr : &it->second;
}

bool FakeFileSystem::ParentIsFolder(const std::wstring& key) {
  const auto it = entries_.find(ParentKey(key));
  return it != entries_.end() && it->second.folder;
}

bool FakeFileSystem::FileExists(const std::wstring& path) {
  const Entry* e = Find(path);
  return e && !e->folder;
}

bool FakeFileSystem::FolderExists(const std::wstring& path) {
  const Entry* e = Find(path);
  return e && e->folder;
}

bool FakeFileSystem::CreateFolder(const std::wstring& path) {
  const std::wstring key = PathKey(path);
  if (Refused(FsOp::CreateFolder, path) || entries_.count(key) || !ParentIsFolder(key)) return false;
  Entry e;
  e.folder = true;
  e.name = LeafName(path);
  e.order = nextOrder_++;
  entries_[key] = e;
  return true;
}

bool FakeFileSystem::RemoveFile(const std::wstring& path) {
  Entry* e = Find(path);
  if (Refused(FsOp::RemoveFile, path) || !e || e->folder || e->readOnly) return false;
  entries_.erase(PathKey(path));
  return true;
}

bool FakeFileSystem::RemoveFolder(const std::wstring& path) {
  const std::wstring key = PathKey(path);
  Entry* e = Find(path);
  if (Refused(FsOp::RemoveFolder, path) || !e || !e->folder) return false;
  for (const auto& [k, v] : entries_)
    if (ParentKey(k) == key) return false;
  entries_.erase(key);
  return true;
}

bool FakeFileSystem::ReadAll(const std::wstring& path, std::string& bytes) {
  const Entry* e = Find(path);
  if (Refused(FsOp::Read, path) || !e || e->folder) return false;
  bytes = e->bytes;
  return true;
}

uint64_t FakeFileSystem::UsedOn(wchar_t letter) const {
  const wchar_t lower = static_cast<wchar_t>(std::towlower(letter));
  uint64_t used = 0;
  for (const auto& [k, v] : entries_)
    if (!k.empty() && k[0] == lower) used += v.bytes.size();
  return used;
}

bool FakeFileSystem::Fits(const std::wstring& key, std::size_t growth) const {
  if (key.empty()) return false;
  const auto cap = capacity.find(static_cast<wchar_t>(std::towupper(key[0])));
  return cap == capacity.end() || UsedOn(key[0]) + growth <= cap->second;
}

class FakeOutputFile : public OutputFile {
 public:
  FakeOutputFile(FakeFileSystem& fs, std::wstring path) : fs_(fs), path_(std::move(path)) {}
  bool Write(const std::string& bytes) override { return open_ && fs_.StoreFile(path_, bytes, true); }
  bool Close() override {
    const bool was = open_;
    open_ = false;
    return was;
  }

 private:
  FakeFileSystem& fs_;
  std::wstring path_;
  bool open_ = true;
};

std::unique_ptr<OutputFile> FakeFileSystem::Create(const std::wstring& path) {
  if (!StoreFile(path, "", false)) return nullptr;
  return std::make_unique<FakeOutputFile>(*this, path);
}

bool FakeFileSystem::StoreFile(const std::wstring& path, const std::string& bytes, bool append) {
  const std::wstring key = PathKey(path);
  if (Refused(append ? FsOp::Append : FsOp::Write, path) || !ParentIsFolder(key)) return false;
  auto it = entries_.find(key);
  if (it != entries_.end() && (it->second.folder || it->second.readOnly)) return false;
  const std::size_t old = it == entries_.end() ? 0 : it->second.bytes.size();
  const std::size_t grown = append ? old + bytes.size() : bytes.size();
  if (grown > old && !Fits(key, grown - old)) return false;
  if (it == entries_.end()) {
    Entry e;
    e.name = LeafName(path);
    e.order = nextOrder_++;
    it = entries_.emplace(key, e).first;
  }
  if (append)
    it->second.bytes += bytes;
  else
    it->second.bytes = bytes;
  return true;
}

bool FakeFileSystem::WriteAll(const std::wstring& path, const std::string& bytes) {
  return StoreFile(path, bytes, false);
}

bool FakeFileSystem::AppendAll(const std::wstring& path, const std::string& bytes) {
  return StoreFile(path, bytes, true);
}

bool FakeFileSystem::MoveReplace(const std::wstring& from, const std::wstring& to) {
  Entry* src = Find(from);
  const std::wstring toKey = PathKey(to);
  if (Refused(FsOp::Move, from) || !src || src->folder || !ParentIsFolder(toKey)) return false;
  const Entry* dst = Find(to);
  if (dst && (dst->folder || dst->readOnly)) return false;
  Entry moved = *src;
  moved.name = LeafName(to);
  entries_.erase(PathKey(from));
  entries_[toKey] = moved;
  return true;
}

bool FakeFileSystem::Copy(const std::wstring& from, const std::wstring& to) {
  const Entry* src = Find(from);
  if (Refused(FsOp::Copy, to) || !src || src->folder) return false;
  const std::string bytes = src->bytes;
  return StoreFile(to, bytes, false);
}

std::vector<std::wstring> FakeFileSystem::List(const std::wstring& folder, bool folders) {
  const std::wstring key = PathKey(folder);
  std::map<uint64_t, std::wstring> byOrder;
  for (const auto& [k, v] : entries_)
    if (v.folder == folders && ParentKey(k) == key) byOrder[v.order] = v.name;
  std::vector<std::wstring> names;
  for (const auto& [o, n] : byOrder) names.push_back(n);
  return names;
}

std::vector<std::wstring> FakeFileSystem::ListFiles(const std::wstring& folder) { return List(folder, false); }

std::vector<std::wstring> FakeFileSystem::ListFolders(const std::wstring& folder) { return List(folder, true); }

std::wstring FakeFileSystem::ShortPathName(const std::wstring& path) {
  return Find(path) ? path : std::wstring();
}

std::wstring FakeFileSystem::LongPathName(const std::wstring& path) {
  return Find(path) ? path : std::wstring();
}

}  // namespace vantrel::fake
