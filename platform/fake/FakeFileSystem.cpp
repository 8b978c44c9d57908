#include "platform/fake/FakeFileSystem.h"

#include <algorithm>
#include <cwctype>
#include <utility>

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
  e.size = bytes.size();
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

bool FakeFileSystem::Pinned(const std::wstring& key) const {
  for (const std::wstring& h : held_)
    if (h == key || (h.size() > key.size() && h.compare(0, key.size(), key) == 0 && h[key.size()] == L'\\'))
      return true;
  return false;
}

bool FakeFileSystem::RenameFolder(const std::wstring& from, const std::wstring& to) {
  const std::wstring fromKey = Resolve(from, false), toKey = Resolve(to, false);
  const auto self = entries_.find(fromKey);
  if (self == entries_.end() || !self->second.folder || Pinned(fromKey) || entries_.count(toKey) ||
      !ParentIsFolder(toKey))
    return false;
  // The folder and everything under it, parents before children.
  std::vector<std::pair<std::wstring, Entry>> moving;
  for (auto it = self; it != entries_.end(); ++it) {
    const std::wstring& key = it->first;
    if (key != fromKey && key.compare(0, fromKey.size() + 1, fromKey + L"\\") != 0) break;
    moving.emplace_back(toKey + key.substr(fromKey.size()), it->second);
  }
  for (auto it = moving.rbegin(); it != moving.rend(); ++it) Erase(fromKey + it->first.substr(toKey.size()));
  moving.front().second.name = LeafName(to);
  for (auto& [key, entry] : moving) Insert(key, entry);
  return true;
}

bool FakeFileSystem::SwapForLink(const std::wstring& folder, const std::wstring& target) {
  if (!RenameFolder(folder, folder + L".old")) return false;
  PutLink(folder, target);
  return true;
}

bool FakeFileSystem::Pass(FsOp op) {
  const FsFailure fault = faults.Next(op);
  return fault == FsFailure::None || Fail(fault);
}

bool FakeFileSystem::Insert(const std::wstring& key, Entry entry) {
  if (entries_.count(key)) Erase(key);
  const std::wstring parent = ParentKey(key);
  const uint32_t cost = FatEntriesOf(entry.name);
  uint32_t& used = folderEntries_[parent];
  // A folder other than the root also holds its "." and ".." entries.
  const uint32_t own = IsRootKey(parent) ? 0 : 2;
  if (!key.empty() && fat.count(static_cast<wchar_t>(std::towupper(key[0]))) &&
      used + own + cost > kFatFolderEntries)
    return false;
  used += cost;
  usedBytes_[key[0]] += Taken(key, entry.size);
  children_[parent][entry.order] = key;
  Indexed(parent, entry.name, true);
  entries_[key] = std::move(entry);
  return true;
}

namespace {
// An NTFS index entry: its header and file-name attribute, then the name in
// UTF-16, rounded up to 8 bytes.
uint64_t IndexEntryBytes(const std::wstring& name) { return (0x52 + 2 * name.size() + 7) & ~uint64_t{7}; }
}  // namespace

void FakeFileSystem::Indexed(const std::wstring& parent, const std::wstring& name, bool added) {
  const auto folder = entries_.find(parent);
  if (folder != entries_.end()) folder->second.times.written = folder->second.times.changed = ++timeTick_;
  FolderIndex& index = indexes_[parent];
  std::wstring upper = name;
  for (auto& c : upper) c = static_cast<wchar_t>(std::towupper(c));
  const uint64_t bytes = IndexEntryBytes(name);
  const auto at = index.slots.try_emplace(upper).first;
  if (!added) {
    if (at->second.live) index.liveBytes -= at->second.bytes;
    at->second = {false, bytes, 0};
    return;
  }
  if (!at->second.live) index.liveBytes += bytes;
  at->second = {true, bytes, 0};
  // The root inside the folder's record holds a few entries; beyond them
  // the index takes whole blocks.
  if (index.liveBytes > kIndexBlock / 8)
    index.high = std::max(index.high, (index.liveBytes + kIndexBlock - 1) / kIndexBlock * kIndexBlock);
  std::vector<std::wstring> filled;
  auto reach = [&](auto from, auto to) {
    for (uint64_t between = 0; from != to && between < kIndexBlock; ++from) {
      if (!from->second.live && (from->second.covered += bytes) >= kIndexBlock) filled.push_back(from->first);
      between += from->second.bytes;
    }
  };
  reach(std::next(at), index.slots.end());
  reach(std::make_reverse_iterator(at), index.slots.rend());
  for (const std::wstring& gone : filled) index.slots.erase(gone);
}

std::vector<std::wstring> FakeFileSystem::LingeringNames(const std::wstring& folder) const {
  std::vector<std::wstring> names;
  const auto it = indexes_.find(Resolve(folder));
  if (it != indexes_.end())
    for (const auto& [name, slot] : it->second.slots)
      if (!slot.live) names.push_back(name);
  return names;
}

FolderTimes FakeFileSystem::TimesOf(const std::wstring& folder) const {
  const Entry* e = Find(folder);
  return e ? e->times : FolderTimes();
}

void FakeFileSystem::Erase(const std::wstring& key) {
  const auto it = entries_.find(key);
  if (it == entries_.end()) return;
  const std::wstring parent = ParentKey(key);
  folderEntries_[parent] -= FatEntriesOf(it->second.name);
  Indexed(parent, it->second.name, false);
  usedBytes_[key[0]] -= Taken(key, it->second.size);
  const auto kids = children_.find(parent);
  if (kids != children_.end()) {
    kids->second.erase(it->second.order);
    if (kids->second.empty()) children_.erase(kids);
  }
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
  if (!Pass(FsOp::CreateFolder)) return false;
  if (entries_.count(key)) return Fail(FsFailure::Refused);
  if (!ParentIsFolder(key)) return Fail(FsFailure::Missing);
  Entry e;
  e.folder = true;
  e.name = LeafName(path);
  e.order = nextOrder_++;
  // A full FAT folder: Windows refuses to make the entry.
  return Insert(key, e) ? Succeed() : Fail(FsFailure::Refused);
}

bool FakeFileSystem::RemoveFile(const std::wstring& path) {
  // Deleting a file link deletes the link, as on Windows.
  const std::wstring key = Resolve(path, false);
  if (!Pass(FsOp::RemoveFile)) return false;
  const auto it = entries_.find(key);
  if (it == entries_.end()) return FailAbsent(key);
  if (it->second.folder || it->second.readOnly) return Fail(FsFailure::Refused);
  Erase(key);
  return Succeed();
}

bool FakeFileSystem::RemoveFolder(const std::wstring& path) {
  // Removing a folder link removes the link, as on Windows; a real folder
  // must be empty.
  const std::wstring key = Resolve(path, false);
  if (!Pass(FsOp::RemoveFolder)) return false;
  const auto it = entries_.find(key);
  if (it == entries_.end()) return FailAbsent(key);
  if (held_.count(key)) return Fail(FsFailure::InUse);
  if (!it->second.folder || (it->second.linkTarget.empty() && children_.count(key)))
    return Fail(FsFailure::Refused);
  Erase(key);
  return Succeed();
}

bool FakeFileSystem::IsLink(const std::wstring& path) {
  const auto it = entries_.find(Resolve(path, false));
  return it != entries_.end() && !it->second.linkTarget.empty();
}

bool FakeFileSystem::RemoveLink(const std::wstring& path) {
  const std::wstring key = Resolve(path, false);
  const auto found = entries_.find(key);
  if (!Pass(found != entries_.end() && found->second.folder ? FsOp::RemoveFolder : FsOp::RemoveFile))
    return false;
  const auto it = entries_.find(key);
  if (it == entries_.end()) return FailAbsent(key);
  if (it->second.linkTarget.empty()) return Fail(FsFailure::Refused);
  Erase(key);
  return Succeed();
}

bool FakeFileSystem::ReadAll(const std::wstring& path, std::string& bytes) {
  if (!Pass(FsOp::Read)) return false;
  const Entry* e = Find(path);
  if (!e) return FailAbsent(Resolve(path));
  if (e->folder) return Fail(FsFailure::Refused);
  bytes = e->bytes;
  return Succeed();
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

uint64_t FakeFileSystem::Taken(const std::wstring& key, uint64_t size) const {
  const auto cluster = key.empty() ? clusterBytes.end() : clusterBytes.find(static_cast<wchar_t>(std::towupper(key[0])));
  return cluster == clusterBytes.end() ? size : (size + cluster->second - 1) / cluster->second * cluster->second;
}

bool FakeFileSystem::KeepsSizeOnly(const std::wstring& key) const {
  for (const std::wstring& path : sizesOnly)
    if (key.rfind(PathKey(path), 0) == 0) return true;
  return false;
}

class FakeOutputFile : public OutputFile {
 public:
  FakeOutputFile(FakeFileSystem& fs, std::wstring path) : fs_(fs), path_(std::move(path)) {}
  bool Write(std::string_view bytes) override {
    if (!open_) return fs_.Fail(FsFailure::Refused);
    return fs_.Pass(FsOp::Write) && fs_.StoreFile(path_, bytes, true);
  }
  bool Flush() override {
    if (!open_) return fs_.Fail(FsFailure::Refused);
    if (!fs_.Pass(FsOp::Flush)) return false;
    FakeFileSystem::Entry* e = fs_.Find(path_);
    if (!e) return fs_.Fail(FsFailure::Missing);
    e->unflushed = false;
    return fs_.Succeed();
  }
  bool Close() override {
    const bool was = open_;
    open_ = false;
    if (!was) return fs_.Fail(FsFailure::Refused);
    return fs_.Pass(FsOp::Close) && fs_.Succeed();
  }

 private:
  FakeFileSystem& fs_;
  std::wstring path_;
  bool open_ = true;
};

std::unique_ptr<OutputFile> FakeFileSystem::CreateNew(const std::wstring& path) { return MakeFile(path, true); }

class FakeFolderHold : public FolderHold {
 public:
  FakeFolderHold(FakeFileSystem& fs, std::wstring key) : fs_(fs), key_(std::move(key)) {}
  ~FakeFolderHold() override {
    if (holding_) fs_.held_.erase(key_);
  }
  bool Remove() override {
    if (!std::exchange(holding_, false)) return fs_.Fail(FsFailure::Refused);
    fs_.held_.erase(key_);
    if (!fs_.Pass(FsOp::RemoveFolder)) return false;
    if (!fs_.entries_.count(key_)) return fs_.FailAbsent(key_);
    if (fs_.children_.count(key_)) return fs_.Fail(FsFailure::Refused);
    fs_.Erase(key_);
    return fs_.Succeed();
  }
  std::optional<uint64_t> IndexBytes() override {
    const auto it = fs_.indexes_.find(key_);
    return it == fs_.indexes_.end() ? 0 : it->second.high;
  }
  std::optional<FolderTimes> Times() override {
    if (!holding_ || !fs_.entries_.count(key_)) return std::nullopt;
    return fs_.entries_[key_].times;
  }
  bool SetTimes(const FolderTimes& times) override {
    if (!holding_ || !fs_.entries_.count(key_)) return fs_.Fail(FsFailure::Refused);
    fs_.entries_[key_].times = times;
    return fs_.Succeed();
  }

 private:
  FakeFileSystem& fs_;
  std::wstring key_;
  bool holding_ = true;
};

// Writes go to the cache; only a flush, or the close when the system writes
// the cache back, carries them to the disk, as one write however many came
// before: passes that are not flushed one by one reach the disk as the last.
class FakeRewriteFile : public RewriteFile {
 public:
  FakeRewriteFile(FakeFileSystem& fs, std::wstring key) : fs_(fs), key_(std::move(key)) {}
  ~FakeRewriteFile() override {
    if (open_) Close();
  }
  uint64_t Size() override {
    const auto* e = entry();
    return e ? e->size : 0;
  }
  bool WriteAt(uint64_t offset, const std::string& bytes) override {
    if (!open_) return fs_.Fail(FsFailure::Refused);
    if (!fs_.Pass(FsOp::Write)) return false;
    FakeFileSystem::Entry* e = entry();
    if (!e) return fs_.FailAbsent(key_);
    if (offset + bytes.size() > e->size) return fs_.Fail(FsFailure::Refused);
    if (e->bytes.size() == e->size) e->bytes.replace(offset, bytes.size(), bytes);
    pending_ = true;
    return fs_.Succeed();
  }
  bool Flush() override {
    if (!open_) return fs_.Fail(FsFailure::Refused);
    return fs_.Pass(FsOp::Flush) && Land();
  }
  bool ReadFromDisk(uint64_t offset, std::string& into, std::size_t most) override {
    into.clear();
    if (!open_) return fs_.Fail(FsFailure::Refused);
    if (!fs_.Pass(FsOp::Read)) return false;
    const FakeFileSystem::Entry* e = entry();
    if (!e) return fs_.FailAbsent(key_);
    const uint64_t n = offset < e->size ? std::min<uint64_t>(most, e->size - offset) : 0;
    if (e->disk.size() == e->size)
      into.assign(e->disk, offset, n);
    else
      into.resize(n);
    return fs_.Succeed();
  }
  bool Close() override {
    if (!std::exchange(open_, false)) return fs_.Fail(FsFailure::Refused);
    return fs_.Pass(FsOp::Close) && Land();
  }

 private:
  FakeFileSystem::Entry* entry() {
    const auto it = fs_.entries_.find(key_);
    return it == fs_.entries_.end() ? nullptr : &it->second;
  }
  // A landing that fails leaves the disk as it was and says nothing.
  bool Land() {
    FakeFileSystem::Entry* e = entry();
    if (std::exchange(pending_, false) && e && fs_.faults.Next(FsOp::Land) == FsFailure::None) {
      e->disk = e->bytes;
      fs_.landings_[key_].push_back(e->bytes.substr(0, FakeFileSystem::kLandingHead));
    }
    return fs_.Succeed();
  }
  FakeFileSystem& fs_;
  std::wstring key_;
  bool open_ = true, pending_ = false;
};

std::unique_ptr<RewriteFile> FakeFileSystem::OpenRewrite(const std::wstring& path) {
  const std::wstring key = Resolve(path, false);
  if (!Pass(FsOp::Rewrite)) return nullptr;
  const auto it = entries_.find(key);
  if (it == entries_.end()) {
    FailAbsent(key);
    return nullptr;
  }
  if (it->second.folder || it->second.readOnly || !it->second.linkTarget.empty()) {
    Fail(FsFailure::Refused);
    return nullptr;
  }
  // What the system wrote back of the file before it was opened again.
  if (!std::exchange(it->second.diskKnown, true)) it->second.disk = it->second.bytes;
  Succeed();
  return std::make_unique<FakeRewriteFile>(*this, key);
}

std::vector<std::string> FakeFileSystem::Landings(const std::wstring& path) const {
  const auto it = landings_.find(Resolve(path));
  return it == landings_.end() ? std::vector<std::string>() : it->second;
}

std::unique_ptr<FolderHold> FakeFileSystem::Hold(const std::wstring& folder) {
  const std::wstring key = Resolve(folder, false);
  if (!Pass(FsOp::Hold)) return nullptr;
  const auto it = entries_.find(key);
  if (it == entries_.end()) {
    FailAbsent(key);
    return nullptr;
  }
  if (!it->second.folder || !it->second.linkTarget.empty()) {
    Fail(FsFailure::Refused);
    return nullptr;
  }
  if (!held_.insert(key).second) {
    Fail(FsFailure::InUse);
    return nullptr;
  }
  Succeed();
  return std::make_unique<FakeFolderHold>(*this, key);
}

std::unique_ptr<OutputFile> FakeFileSystem::Create(const std::wstring& path) { return MakeFile(path, false); }

std::unique_ptr<OutputFile> FakeFileSystem::MakeFile(const std::wstring& path, bool mustBeNew) {
  if (!Pass(FsOp::Create)) return nullptr;
  if ((mustBeNew && entries_.count(Resolve(path, false)))) {
    Fail(FsFailure::Refused);
    return nullptr;
  }
  if (!StoreFile(path, "", false)) return nullptr;
  return std::make_unique<FakeOutputFile>(*this, path);
}

bool FakeFileSystem::StoreFile(const std::wstring& path, std::string_view bytes, bool append) {
  const std::wstring key = Resolve(path);
  if (!ParentIsFolder(key)) return Fail(FsFailure::Gone);
  auto it = entries_.find(key);
  if (it != entries_.end() && (it->second.folder || it->second.readOnly)) return Fail(FsFailure::Refused);
  const uint64_t old = it == entries_.end() ? 0 : it->second.size;
  const uint64_t grown = append ? old + bytes.size() : bytes.size();
  if (grown > old && !Fits(key, Taken(key, grown) - Taken(key, old))) return Fail(FsFailure::DiskFull);
  const wchar_t drive = static_cast<wchar_t>(std::towupper(key[0]));
  // A FAT file ends at 4 GiB - 1; the system refuses to let it grow beyond.
  if (fat.count(drive) && grown > kFatLargestFile) return Fail(FsFailure::Refused);
  if (it == entries_.end()) {
    Entry e;
    e.name = LeafName(path);
    e.order = nextOrder_++;
    // A full FAT folder: Windows refuses to make the entry.
    if (!Insert(key, e)) return Fail(FsFailure::Refused);
    it = entries_.find(key);
  }
  usedBytes_[key[0]] += Taken(key, grown);
  usedBytes_[key[0]] -= Taken(key, old);
  it->second.size = grown;
  if (KeepsSizeOnly(key))
    it->second.bytes.clear();
  else if (append)
    it->second.bytes += bytes;
  else
    it->second.bytes = bytes;
  it->second.unflushed = true;
  return Succeed();
}

bool FakeFileSystem::WriteAll(const std::wstring& path, const std::string& bytes) {
  return Pass(FsOp::Write) && StoreFile(path, bytes, false) && Pass(FsOp::Close);
}

bool FakeFileSystem::AppendAll(const std::wstring& path, const std::string& bytes) {
  return Pass(FsOp::Append) && StoreFile(path, bytes, true) && Pass(FsOp::Close);
}

bool FakeFileSystem::MoveReplace(const std::wstring& from, const std::wstring& to) {
  const std::wstring fromKey = Resolve(from), toKey = Resolve(to);
  if (!Pass(FsOp::Move)) return false;
  const auto src = entries_.find(fromKey);
  if (src == entries_.end() || !ParentIsFolder(toKey)) return FailAbsent(src == entries_.end() ? fromKey : toKey);
  if (src->second.folder) return Fail(FsFailure::Refused);
  const auto dst = entries_.find(toKey);
  if (dst != entries_.end() && (dst->second.folder || dst->second.readOnly)) return Fail(FsFailure::Refused);
  Entry moved = src->second;
  moved.name = LeafName(to);
  Erase(fromKey);
  Erase(toKey);
  return Insert(toKey, moved) ? Succeed() : Fail(FsFailure::Refused);
}

bool FakeFileSystem::Copy(const std::wstring& from, const std::wstring& to) {
  if (!Pass(FsOp::Copy)) return false;
  const Entry* src = Find(from);
  if (!src) return FailAbsent(Resolve(from));
  if (src->folder) return Fail(FsFailure::Refused);
  const std::string bytes = src->bytes;
  return StoreFile(to, bytes, false);
}

bool FakeFileSystem::IsKind(const Entry& e, Kind kind) {
  const bool link = !e.linkTarget.empty();
  switch (kind) {
    case Kind::Links: return link;
    case Kind::Files: return !link && !e.folder;
    case Kind::Folders: return !link && e.folder;
  }
  return false;
}

std::vector<std::wstring> FakeFileSystem::List(const std::wstring& folder, Kind kind) {
  // Listing a link lists its target, as a search through it does on Windows.
  std::vector<std::wstring> names;
  if (faults.Next(FsOp::List) != FsFailure::None) return names;
  const auto kids = children_.find(Resolve(folder));
  if (kids == children_.end()) return names;
  for (const auto& [order, key] : kids->second) {
    const Entry& e = entries_.at(key);
    if (IsKind(e, kind)) names.push_back(e.name);
  }
  return names;
}

// The next entry is looked up afresh by its order after each name, so that
// `each` may remove any entry, the one it was handed included, and may add
// some: those come later in the order and are handed on too.
bool FakeFileSystem::Walk(const std::wstring& folder, Kind kind,
                          const std::function<bool(const std::wstring&)>& each) {
  if (!Pass(FsOp::List)) return false;
  const std::wstring key = Resolve(folder);
  const auto self = entries_.find(key);
  if (self == entries_.end() || !self->second.folder) return Fail(FsFailure::Gone);
  for (uint64_t next = 0;;) {
    const auto kids = children_.find(key);
    if (kids == children_.end()) break;
    auto it = kids->second.lower_bound(next);
    while (it != kids->second.end() && !IsKind(entries_.at(it->second), kind)) ++it;
    if (it == kids->second.end()) break;
    next = it->first + 1;
    const std::wstring name = entries_.at(it->second).name;
    if (!each(name)) break;
  }
  return Succeed();
}

bool FakeFileSystem::EachFile(const std::wstring& folder, const std::function<bool(const std::wstring&)>& each) {
  return Walk(folder, Kind::Files, each);
}

class FakeInputFile : public InputFile {
 public:
  FakeInputFile(FakeFileSystem& fs, std::wstring path) : fs_(fs), path_(std::move(path)) {}
  bool Read(std::string& into, std::size_t most) override {
    if (!fs_.Pass(FsOp::Read)) {
      into.clear();
      return false;
    }
    const FakeFileSystem::Entry* e = fs_.Find(path_);
    if (!e || e->folder) {
      into.clear();
      return fs_.FailAbsent(fs_.Resolve(path_));
    }
    const std::size_t n = offset_ < e->size ? static_cast<std::size_t>(std::min<uint64_t>(most, e->size - offset_)) : 0;
    // A file that keeps its size only reads as whatever the buffer holds.
    if (e->bytes.size() == e->size)
      into.assign(e->bytes, offset_, n);
    else
      into.resize(n);
    offset_ += n;
    return fs_.Succeed();
  }

 private:
  FakeFileSystem& fs_;
  std::wstring path_;
  std::size_t offset_ = 0;
};

std::unique_ptr<InputFile> FakeFileSystem::OpenRead(const std::wstring& path) {
  if (!Pass(FsOp::OpenRead)) return nullptr;
  const Entry* e = Find(path);
  if (!e) {
    FailAbsent(Resolve(path));
    return nullptr;
  }
  if (e->folder) {
    Fail(FsFailure::Refused);
    return nullptr;
  }
  Succeed();
  return std::make_unique<FakeInputFile>(*this, path);
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
