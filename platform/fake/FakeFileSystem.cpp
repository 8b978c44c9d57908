#include "platform/fake/FakeFileSystem.h"

#include <cwctype>

#include "platform/fake/WinPath.h"

namespace vantrel::fake {

namespace {

// A name the short-name scheme holds in one entry: up to eight characters,
// a dot and up to three more, of the allowed set, and not of mixed case.
bool FitsShortEntry(const std::wstring& name) {
  const auto dot = name.find(L'.');
  const std::wstring base = name.substr(0, dot);
  const std::wstring ext = dot == std::wstring::npos ? L"" : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3 || ext.find(L'.') != std::wstring::npos) return false;
  auto plain = [](const std::wstring& part) {
    bool lower = false, upper = false;
    for (wchar_t c : part) {
      if (c > 127 || std::wstring(L" +,;=[]\"*/:<>?\\|").find(c) != std::wstring::npos) return false;
      lower |= c >= L'a' && c <= L'z';
      upper |= c >= L'A' && c <= L'Z';
    }
    return !(lower && upper);
  };
  return plain(base) && plain(ext);
}

bool IsRootKey(const std::wstring& key) { return key.find(L'\\') == std::wstring::npos; }

}  // namespace

uint32_t FatEntriesOf(const std::wstring& name) {
  if (FitsShortEntry(name)) return 1;
  return 1 + static_cast<uint32_t>((name.size() + 12) / 13);
}

void FakeFileSystem::AddDrive(wchar_t letter) {
  Entry e;
  e.folder = true;
  e.name = std::wstring(1, letter) + L":";
  e.order = nextOrder_++;
  entries_[PathKey(e.name)] = e;
}

void FakeFileSystem::MakeFolders(const std::wstring& path) {
  const std::wstring key = Resolve(path);
  if (key.empty() || entries_.count(key)) return;
  MakeFolders(ParentKey(key));
  Entry e;
  e.folder = true;
  e.name = LeafName(path);
  e.order = nextOrder_++;
  Insert(key, e);
}

void FakeFileSystem::PutFile(const std::wstring& path, const std::string& bytes, bool readOnly) {
  const std::wstring key = Resolve(path);
  MakeFolders(ParentKey(key));
  if (entries_.count(key)) Erase(key);
  Entry e;
  e.bytes = bytes;
  e.readOnly = readOnly;
  e.name = LeafName(path);
  e.order = nextOrder_++;
  Insert(key, e);
}

void FakeFileSystem::PutLink(const std::wstring& path, const std::wstring& target, bool toFolder) {
  const std::wstring key = Resolve(path, false);
  MakeFolders(ParentKey(key));
  Entry e;
  e.folder = toFolder;
  e.linkTarget = Resolve(target);
  e.name = LeafName(path);
  e.order = nextOrder_++;
  Insert(key, e);
}

std::string FakeFileSystem::Contents(const std::wstring& path) const {
  const Entry* e = Find(path);
  return e ? e->bytes : std::string();
}

bool FakeFileSystem::Flushed(const std::wstring& path) const {
  const Entry* e = Find(path);
  return e && !e->unflushed;
}

std::wstring FakeFileSystem::Resolve(const std::wstring& path, bool followLast) const {
  std::wstring key = PathKey(path);
  // A bounded number of hops, as a loop of links ends in a failure on Windows too.
  for (int hops = 0; hops < 32; ++hops) {
    bool moved = false;
    for (std::size_t from = 0;;) {
      const std::size_t cut = key.find(L'\\', from);
      const bool last = cut == std::wstring::npos;
      if (last && !followLast) break;
      const auto it = entries_.find(last ? key : key.substr(0, cut));
      if (it != entries_.end() && !it->second.linkTarget.empty()) {
        key = it->second.linkTarget + (last ? std::wstring() : key.substr(cut));
        moved = true;
        break;
      }
      if (last) break;
      from = cut + 1;
    }
    if (!moved) return key;
  }
  return key;
}

FakeFileSystem::Entry* FakeFileSystem::Find(const std::wstring& path) {
  const auto it = entries_.find(Resolve(path));
  return it == entries_.end() ? nullptr : &it->second;
}

const FakeFileSystem::Entry* FakeFileSystem::Find(const std::wstring& path) const {
  const auto it = entries_.find(Resolve(path));
  return it == entries_.end() ? nullptr : &it->second;
}

bool FakeFileSystem::ParentIsFolder(const std::wstring& key) const {
  const auto it = entries_.find(ParentKey(key));
  return it != entries_.end() && it->second.folder && it->second.linkTarget.empty();
}

bool FakeFileSystem::Insert(const std::wstring& key, Entry entry) {
  const std::wstring parent = ParentKey(key);
  const uint32_t cost = FatEntriesOf(entry.name);
  uint32_t& used = folderEntries_[parent];
  // A folder other than the root also holds its "." and ".." entries.
  const uint32_t own = IsRootKey(parent) ? 0 : 2;
  if (!key.empty() && fat.count(static_cast<wchar_t>(std::towupper(key[0]))) &&
      used + own + cost > kFatFolderEntries)
    return false;
  used += cost;
  usedBytes_[key[0]] += entry.bytes.size();
  entries_[key] = std::move(entry);
  return true;
}

void FakeFileSystem::Erase(const std::wstring& key) {
  const auto it = entries_.find(key);
  if (it == entries_.end()) return;
  folderEntries_[ParentKey(key)] -= FatEntriesOf(it->second.name);
  usedBytes_[key[0]] -= it->second.bytes.size();
  entries_.erase(it);
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
  const std::wstring key = Resolve(path);
  if (Refused(FsOp::CreateFolder, path) || entries_.count(key) || !ParentIsFolder(key)) return false;
  Entry e;
  e.folder = true;
  e.name = LeafName(path);
  e.order = nextOrder_++;
  return Insert(key, e);
}

bool FakeFileSystem::RemoveFile(const std::wstring& path) {
  // Deleting a file link deletes the link, as on Windows.
  const std::wstring key = Resolve(path, false);
  const auto it = entries_.find(key);
  if (Refused(FsOp::RemoveFile, path) || it == entries_.end() || it->second.folder || it->second.readOnly)
    return false;
  Erase(key);
  return true;
}

bool FakeFileSystem::RemoveFolder(const std::wstring& path) {
  // Removing a folder link removes the link, as on Windows; a real folder
  // must be empty.
  const std::wstring key = Resolve(path, false);
  const auto it = entries_.find(key);
  if (Refused(FsOp::RemoveFolder, path) || it == entries_.end() || !it->second.folder) return false;
  if (it->second.linkTarget.empty())
    for (const auto& [k, v] : entries_)
      if (ParentKey(k) == key) return false;
  Erase(key);
  return true;
}

bool FakeFileSystem::IsLink(const std::wstring& path) {
  const auto it = entries_.find(Resolve(path, false));
  return it != entries_.end() && !it->second.linkTarget.empty();
}

bool FakeFileSystem::RemoveLink(const std::wstring& path) {
  const std::wstring key = Resolve(path, false);
  const auto it = entries_.find(key);
  if (Refused(it != entries_.end() && it->second.folder ? FsOp::RemoveFolder : FsOp::RemoveFile, path) ||
      it == entries_.end() || it->second.linkTarget.empty())
    return false;
  Erase(key);
  return true;
}

bool FakeFileSystem::ReadAll(const std::wstring& path, std::string& bytes) {
  const Entry* e = Find(path);
  if (Refused(FsOp::Read, path) || !e || e->folder) return false;
  bytes = e->bytes;
  return true;
}

uint64_t FakeFileSystem::UsedOn(wchar_t letter) const {
  const auto used = usedBytes_.find(static_cast<wchar_t>(std::towlower(letter)));
  return used == usedBytes_.end() ? 0 : used->second;
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
  bool Flush() override {
    FakeFileSystem::Entry* e = fs_.Find(path_);
    if (!open_ || !e || fs_.Refused(FsOp::Flush, path_)) return false;
    e->unflushed = false;
    return true;
  }
  bool Close() override {
    const bool was = open_;
    open_ = false;
    return was && !fs_.Refused(FsOp::Close, path_);
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
  const std::wstring key = Resolve(path);
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
    if (!Insert(key, e)) return false;
    it = entries_.find(key);
  }
  usedBytes_[key[0]] += grown;
  usedBytes_[key[0]] -= old;
  if (append)
    it->second.bytes += bytes;
  else
    it->second.bytes = bytes;
  it->second.unflushed = true;
  return true;
}

bool FakeFileSystem::WriteAll(const std::wstring& path, const std::string& bytes) {
  return StoreFile(path, bytes, false) && !Refused(FsOp::Close, path);
}

bool FakeFileSystem::AppendAll(const std::wstring& path, const std::string& bytes) {
  return StoreFile(path, bytes, true) && !Refused(FsOp::Close, path);
}

bool FakeFileSystem::MoveReplace(const std::wstring& from, const std::wstring& to) {
  const std::wstring fromKey = Resolve(from), toKey = Resolve(to);
  const auto src = entries_.find(fromKey);
  if (Refused(FsOp::Move, from) || src == entries_.end() || src->second.folder || !ParentIsFolder(toKey))
    return false;
  const auto dst = entries_.find(toKey);
  if (dst != entries_.end() && (dst->second.folder || dst->second.readOnly)) return false;
  Entry moved = src->second;
  moved.name = LeafName(to);
  Erase(fromKey);
  Erase(toKey);
  return Insert(toKey, moved);
}

bool FakeFileSystem::Copy(const std::wstring& from, const std::wstring& to) {
  const Entry* src = Find(from);
  if (Refused(FsOp::Copy, to) || !src || src->folder) return false;
  const std::string bytes = src->bytes;
  return StoreFile(to, bytes, false);
}

std::vector<std::wstring> FakeFileSystem::List(const std::wstring& folder, Kind kind) {
  // Listing a link lists its target, as a search through it does on Windows.
  const std::wstring key = Resolve(folder);
  std::map<uint64_t, std::wstring> byOrder;
  for (const auto& [k, v] : entries_) {
    if (ParentKey(k) != key) continue;
    const bool link = !v.linkTarget.empty();
    if ((kind == Kind::Links && link) || (kind == Kind::Files && !link && !v.folder) ||
        (kind == Kind::Folders && !link && v.folder))
      byOrder[v.order] = v.name;
  }
  std::vector<std::wstring> names;
  for (const auto& [o, n] : byOrder) names.push_back(n);
  return names;
}

std::vector<std::wstring> FakeFileSystem::ListFiles(const std::wstring& folder) { return List(folder, Kind::Files); }

std::vector<std::wstring> FakeFileSystem::ListFolders(const std::wstring& folder) {
  return List(folder, Kind::Folders);
}

std::vector<std::wstring> FakeFileSystem::ListLinks(const std::wstring& folder) { return List(folder, Kind::Links); }

std::wstring FakeFileSystem::ShortPathName(const std::wstring& path) {
  return Find(path) ? path : std::wstring();
}

std::wstring FakeFileSystem::LongPathName(const std::wstring& path) {
  return Find(path) ? path : std::wstring();
}

}  // namespace vantrel::fake
