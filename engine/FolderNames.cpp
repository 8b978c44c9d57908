#include "engine/FolderNames.h"

#include <algorithm>
#include <cwctype>
#include <deque>
#include <string>
#include <vector>

#include "disks/WorkFiles.h"
#include "engine/StageContext.h"
#include "lang/Language.h"
#include "platform/Platform.h"

namespace vantrel {

namespace {

constexpr uint64_t kIndexBlock = 4096;
constexpr std::size_t kLongestName = 255;
// Longer paths are refused by the system's plain calls (MAX_PATH less the
// closing zero); a folder where names this short do not fit is skipped.
constexpr std::size_t kLongestPath = 259, kShortestName = 64;
// What every temporary name holds after the live name it follows, so that
// a reader of the folder's raw index knows whose entries these were.
constexpr wchar_t kMark[] = L"~vantrel-index-";
// Starting points spread over the alphabet, besides the live names, so that
// blocks whose live entries are all gone get entries too.
constexpr const wchar_t* kSpread[] = {L"0", L"4", L"8", L"A", L"C", L"E", L"G", L"I",
                                      L"K", L"M", L"O", L"Q", L"S", L"U", L"W", L"Y"};
constexpr int kTriesPerName = 3;
// Short entries of names this far behind the one in hand go at once: by
// then each has filled the block of its name (a block holds fewer than 48
// names), and under Wine a create costs more the more entries its folder
// holds, so the folder never grows by more than about a thousand.
constexpr std::size_t kShortsKeptBehind = 64;
// A folder of millions of names takes a few million entries; a size beyond
// any folder's is no reason to loop for ever.
constexpr uint64_t kMostEntries = 1 << 23;

uint64_t EntryBytes(std::size_t chars) { return (0x52 + 2 * chars + 7) & ~uint64_t{7}; }

std::wstring Upper(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  return folder.ends_with(L'\\') ? folder + name : folder + L"\\" + name;
}

// The index a folder's live entries could have grown, where the system does
// not tell its size: three times what they take now.
uint64_t GuessedIndexBytes(const std::vector<std::wstring>& names) {
  uint64_t bytes = 0;
  for (const std::wstring& name : names) bytes += EntryBytes(name.size());
  return 3 * bytes;
}

// One folder, held while the step works in it.
class FolderPass {
 public:
  FolderPass(StageContext& stage, std::wstring folder, FolderHold& hold, bool& left)
      : stage_(stage), folder_(std::move(folder)), hold_(hold), left_(left), fat_(stage.disk.fileSystem.starts_with(L"FAT")) {}

  // False when the folder was skipped: not written, or stopped.
  bool Rewrite(const std::vector<std::wstring>& names) {
    const std::size_t room = kLongestPath - folder_.size() - 1;
    if (folder_.size() + 1 > kLongestPath || room < kShortestName) return false;
    // FAT reuses the first free run of entries that fits a new name: names
    // of one short entry each fill every freed entry, however small its gap.
    const std::size_t length = fat_ ? 12 : std::min(kLongestName, room);
    std::vector<std::wstring> bases(std::begin(kSpread), std::end(kSpread));
    for (const std::wstring& name : names) bases.push_back(Upper(name));
    std::sort(bases.begin(), bases.end());
    const uint64_t bytes = hold_.IndexBytes().value_or(GuessedIndexBytes(names));
    const int count = fat_ ? static_cast<int>(bytes / 32 + 16) : EntriesToFill(bytes, length, bases.size());
    // NTFS splits a block before an entry that no longer fits, so its last
    // bytes, less than one entry, keep what they held. Short entries come
    // first, enough after each name (16) that the block holding it fills
    // to within a short entry of its end before it splits; a long entry
    // would split it while hundreds of its bytes are still old. The long
    // ones then take whatever blocks are left with fewer calls.
    bool whole = true;
    const int shorts = fat_ ? 0 : 4 * count;
    int serial = 0;  // names the entries of both rounds apart
    for (const auto& [n, len] : {std::pair{shorts, std::size_t{0}}, std::pair{count, length}}) {
      for (int k = 0; k < n && whole && !stage_.StopRequested(); ++k) {
        const std::size_t at = static_cast<std::size_t>(k) * bases.size() / n;
        if (!len) RemoveMade(at >= kShortsKeptBehind ? at - kShortsKeptBehind : 0);
        whole = MakeOne(bases[at], at + 1 < bases.size() ? bases[at + 1] : L"", serial++, len, at);
        stage_.TakeTurn();
      }
    }
    RemoveMade(bases.size() + 1);
    const bool removed = std::all_of(refused_.begin(), refused_.end(), [](const std::wstring& p) { return Os().files->RemoveFile(p); });
    if (!removed) left_ = true;
    return whole && removed && !stage_.StopRequested();
  }

 private:
  // Entry k after `base`, of `length` characters or a short one (0); a
  // name that is there already (the user's, or a link) is refused by the
  // system and another is tried.
  // A short one takes no more of `base` than sorts it before `next`.
  bool MakeOne(const std::wstring& base, const std::wstring& next, int k, std::size_t length, std::size_t at) {
    const auto differ = std::mismatch(base.begin(), base.end(), next.begin(), next.end()).first;
    const std::size_t shortPrefix = std::min<std::size_t>(differ - base.begin() + 1, length / 2 + 40);
    for (int attempt = 0; attempt < kTriesPerName; ++attempt) {
      const std::wstring tag = std::to_wstring(k) + L"-" + std::to_wstring(attempt);
      std::wstring name = fat_ ? ShortName(k * kTriesPerName + attempt)
                          : length ? base.substr(0, length / 2) + kMark + tag + L"-"
                                   : base.substr(0, shortPrefix) + L"~" + Base36(k * kTriesPerName + attempt);
      name.resize(std::max(length, name.size()), L'x');
      const std::wstring path = Join(folder_, name);
      std::unique_ptr<OutputFile> file = Os().files->CreateNew(path);
      if (!file) {
        // The first refused: a folder the user cannot write.
        if (!madeAny_) return false;
        continue;
      }
      made_.push_back({path, at});
      madeAny_ = true;
      file->Close();
      return true;
    }
    return false;
  }

  // The entries made after names before `before` go; those that would not
  // go at once are tried once more at the pass's end, whatever ended it.
  void RemoveMade(std::size_t before) {
    for (; !made_.empty() && made_.front().second < before; made_.pop_front()) {
      if (!Os().files->RemoveFile(made_.front().first)) refused_.push_back(made_.front().first);
      stage_.Breathe();
    }
  }

  static std::wstring Base36(int n) {
    std::wstring text;
    do text.insert(text.begin(), L"0123456789abcdefghijklmnopqrstuvwxyz"[n % 36]);
    while ((n /= 36) > 0);
    return text;
  }
  // "~VN" and six hex digits as the name, "IDX" as the extension.
  static std::wstring ShortName(int n) {
    std::wstring name = L"~VN000000.IDX";
    for (int i = 8; i >= 3; --i, n >>= 4) name[i] = L"0123456789ABCDEF"[n & 15];
    return name;
  }

  StageContext& stage_;
  std::wstring folder_;
  FolderHold& hold_;
  bool& left_;
  const bool fat_;
  // What was made, with the index of the name it follows, in the order made.
  std::deque<std::pair<std::wstring, std::size_t>> made_;
  bool madeAny_ = false;
  std::vector<std::wstring> refused_;
};

class Walk {
 public:
  explicit Walk(StageContext& stage) : stage_(stage), work_(Upper(WorkFolderOf(stage.disk.letter))) {}

  // Depth first; the folder stays held while its subfolders are walked, and
  // gets its times back after them, read before anything listed it: under
  // Wine a path through a folder reads it, and ntfs-3g then moves its
  // access time.
  void Enter(const std::wstring& folder) {
    if (stage_.StopRequested() || left || Upper(folder) == work_) return;
    FileSystem& fs = *Os().files;
    std::unique_ptr<FolderHold> hold = fs.Hold(folder);
    const auto times = hold ? hold->Times() : std::nullopt;
    std::vector<std::wstring> names;
    const bool listed = times && fs.EachFile(folder, [&](const std::wstring& name) {
      names.push_back(name);
      return true;
    });
    const std::vector<std::wstring> folders = listed ? fs.ListFolders(folder) : std::vector<std::wstring>();
    if (listed) {
      const std::vector<std::wstring> links = fs.ListLinks(folder);
      names.insert(names.end(), folders.begin(), folders.end());
      names.insert(names.end(), links.begin(), links.end());
    }
    const bool rewritten = listed && FolderPass(stage_, folder, *hold, left).Rewrite(names);
    stage_.Breathe();
    for (const std::wstring& sub : folders) Enter(Join(folder, sub));
    const bool timesBack = times && hold->SetTimes(*times);
    if (rewritten && timesBack)
      ++stage_.FoldersRewritten;
    else if (!stage_.StopRequested())
      ++stage_.FoldersSkipped;
  }

  // An entry of ours could not be removed: the walk ends there.
  bool left = false;

 private:
  StageContext& stage_;
  std::wstring work_;
};

}  // namespace

int EntriesToFill(uint64_t indexBytes, std::size_t nameLength, std::size_t bases) {
  const uint64_t block = (kIndexBlock + EntryBytes(nameLength) - 1) / EntryBytes(nameLength);
  const uint64_t blocks = (indexBytes + kIndexBlock - 1) / kIndexBlock + 1;
  // The entries follow the live names, not the blocks: a block that kept
  // only two of its names must still get a block's worth.
  const uint64_t count = std::max(2 * block * blocks, (block + 1) / 2 * bases);
  return static_cast<int>(std::min<uint64_t>(count, kMostEntries));
}

bool RewriteFolderNames(StageContext& stage) {
  const int64_t start = Os().clock->NowSeconds();
  stage.view.Show(RunText::Remark, LangText(L"VERSION3", L"FOLDER-NAMES-NOW"));
  stage.Yield();
  Walk walk(stage);
  walk.Enter(stage.disk.letter + L":\\");
  if (walk.left) stage.Fail();
  stage.FolderNamesSeconds = Os().clock->NowSeconds() - start;
  return !walk.left;
}

}  // namespace vantrel
