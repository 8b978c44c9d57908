#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"
#include "services/Environment.h"
#include "services/IniHelpers.h"
#include "services/Paths.h"
#include "tests/contract/ContractHarness.h"

namespace vantrel::contract {
namespace {

using win32::FileHandle;
using win32::ToAnsi;

TEST(FilesContract, IniSemanticsOfTheSystemReader) {
  const std::wstring file = ScratchFolder() + L"\\test.ini";
  const std::string cyrillic = "\xC4\xE0\xEB\xE5\xE5";
  ASSERT_TRUE(Os().files->WriteAll(file,
                                   "[Main]\r\n"
                                   "Spaced =   some text   \r\n"
                                   "Quoted=\"  kept  \"\r\n"
                                   "Long=" + std::string(10000, 'a') + "\r\n"
                                   "Raw=" + cyrillic + "\r\n"
                                   "Blank=\r\n"));
  EXPECT_EQ(IniRead(L"MAIN", L"SPACED", file), L"some text");
  EXPECT_EQ(IniRead(L"main", L"Quoted", file), L"  kept  ");
  EXPECT_EQ(IniRead(L"Main", L"Long", file), std::wstring(749, L'a'));
  EXPECT_EQ(IniRead(L"Main", L"Blank", file), L"");
  EXPECT_EQ(IniRead(L"Main", L"Absent", file), L"");
  EXPECT_EQ(IniRead(L"Main", L"Spaced", file + L".missing"), L"");
  // 8-bit texts come back as the file's own bytes.
  EXPECT_EQ(IniReadBytes(L"Main", L"Raw", file), cyrillic);

  IniWrite(L"BRISEN2.2", L"pcid", L"123456789", file);
  std::string bytes;
  ASSERT_TRUE(Os().files->ReadAll(file, bytes));
  EXPECT_NE(bytes.find("PCID=123456789"), std::string::npos);
  EXPECT_EQ(IniRead(L"brisen2.2", L"PcId", file), L"123456789");
  // Read with a bound: a missing file lacks the value, a larger one is not read.
  EXPECT_EQ(IniReadSmallFile(L"brisen2.2", L"PcId", file, 65536), L"123456789");
  EXPECT_EQ(IniReadSmallFile(L"brisen2.2", L"PcId", file + L".missing", 65536), L"");
  EXPECT_EQ(IniReadSmallFile(L"brisen2.2", L"PcId", file, bytes.size() - 1), std::nullopt);
}

// Language files are in their own code page, which need not be the
// system's: whatever the system's code page, every byte of a value must come
// back as it is in the file, also bytes that are no character there (0x80,
// 0xA0 and 0xFD-0xFF on a Japanese system, a lead byte without its trail).
TEST(FilesContract, IniReadHandsTheFilesBytesThrough) {
  ::testing::Test::RecordProperty("ansi_code_page", static_cast<int>(GetACP()));
  const std::wstring file = ScratchFolder() + L"\\bytes.ini";
  std::string high;
  for (int b = 0x80; b <= 0xFF; ++b) high.push_back(static_cast<char>(b));
  const std::string lead = "A\x81";
  const std::string badTrail = "\x81\x7F\x82";
  ASSERT_TRUE(Os().files->WriteAll(file, "[Bytes]\r\n"
                                         "High=" + high + "\r\n"
                                         "Lead=" + lead + "\r\n"
                                         "After=ok\r\n"
                                         "BadTrail=" + badTrail + "\r\n"
                                         "Quoted=\"\x81\"\r\n"));
  EXPECT_EQ(Os().profiles->Read(L"Bytes", L"high", file, 750), high);
  EXPECT_EQ(Os().profiles->Read(L"Bytes", L"lead", file, 750), lead);
  EXPECT_EQ(Os().profiles->Read(L"Bytes", L"after", file, 750), "ok");
  EXPECT_EQ(Os().profiles->Read(L"Bytes", L"badtrail", file, 750), badTrail);
  EXPECT_EQ(Os().profiles->Read(L"Bytes", L"quoted", file, 750), "\x81");
  // Cut by bytes, as the buffer counts them.
  EXPECT_EQ(Os().profiles->Read(L"Bytes", L"high", file, 17), high.substr(0, 16));
}

// On plain ASCII files no code page matters, so the platform's own reading
// must find exactly what the system's reader finds.
TEST(FilesContract, IniReadAgreesWithTheSystemReader) {
  const std::wstring file = ScratchFolder() + L"\\rules.ini";
  const std::string text =
      "Loose=before any section\r\n"
      "[Main]\r\n"
      "; note=a comment\r\n"
      "  Indented  =  value with  inner  blanks  \r\n"
      "Tabbed\t=\tx\t\r\n"
      "Two Words=y\r\n"
      "Equals=a=b\r\n"
      "Dup=first\r\n"
      "Dup=second\r\n"
      "Single='q'\r\n"
      "Mixed=\"q'\r\n"
      "Lone=\"\r\n"
      "Pair=\"\"\r\n"
      "Inner=a \"b\" c\r\n"
      "NoValue\r\n"
      "=nameless\r\n"
      "Lf=unix\n"
      "[ Spaced ]\r\n"
      "K=spaced section\r\n"
      "[Tail] trailing words\r\n"
      "K=tail section\r\n"
      "[Main]\r\n"
      "Again=second main section\r\n"
      "Dup=third\r\n"
      "[Open\r\n"
      "K=open section\r\n"
      "[Last]\r\n"
      "K=no line break at the end";
  ASSERT_TRUE(Os().files->WriteAll(file, text));
  const std::wstring marked = ScratchFolder() + L"\\marked.ini";
  ASSERT_TRUE(Os().files->WriteAll(marked, "\xEF\xBB\xBF[First]\r\nK=after a UTF-8 mark\r\n"));
  const auto agree = [](const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    char expected[750] = "";
    const DWORD n = GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), "", expected,
                                             sizeof expected, ToAnsi(file).c_str());
    EXPECT_EQ(Os().profiles->Read(section, key, file, 750), std::string(expected, n))
        << "[" << ToAnsi(section) << "] " << ToAnsi(key);
  };
  agree(marked, L"First", L"K");
  const std::pair<const wchar_t*, const wchar_t*> lookups[] = {
      {L"Main", L"Loose"},   {L"Main", L"Indented"}, {L"Main", L"Tabbed"}, {L"Main", L"Two Words"},
      {L"Main", L"Equals"},  {L"Main", L"Dup"},      {L"Main", L"Single"}, {L"Main", L"Mixed"},
      {L"Main", L"Lone"},    {L"Main", L"Pair"},     {L"Main", L"Inner"},  {L"Main", L"NoValue"},
      {L"Main", L"note"},    {L"Main", L"Lf"},       {L"Main", L"Again"},  {L"Spaced", L"K"},
      {L"Tail", L"K"},       {L"Open", L"K"},        {L"Last", L"K"},      {L"Main", L"K"},
  };
  for (const auto& [section, key] : lookups) agree(file, section, key);
}

TEST(FilesContract, PathFormsAndTheTemporaryFolder) {
  const std::wstring missing = L"C:\\no such folder\\nothing.txt";
  EXPECT_EQ(ShortPath(missing), L"");
  EXPECT_EQ(LongPath(missing), missing);
  const std::wstring folder = ScratchFolder() + L"\\A long folder name";
  ASSERT_TRUE(Os().files->CreateFolder(folder));
  const std::wstring shortForm = ShortPath(folder);
  EXPECT_FALSE(shortForm.empty());
  EXPECT_TRUE(FolderExists(shortForm));
  EXPECT_EQ(LongPath(shortForm), folder);

  const std::wstring temp = GetTempFolder();
  EXPECT_FALSE(temp.empty());
  EXPECT_NE(temp.back(), L'\\');
  EXPECT_TRUE(FolderExists(temp));
}

TEST(FilesContract, FilesFoldersListingsAndReplacement) {
  const std::wstring folder = ScratchFolder();
  const std::wstring a = folder + L"\\a.txt", b = folder + L"\\b.txt";
  ASSERT_TRUE(Os().files->WriteAll(a, "new"));
  ASSERT_TRUE(Os().files->WriteAll(b, "old"));
  ASSERT_TRUE(Os().files->AppendAll(a, " line"));
  EXPECT_TRUE(FileExists(a));
  EXPECT_FALSE(FolderExists(a));
  EXPECT_TRUE(FolderExists(folder));
  EXPECT_FALSE(FileExists(folder));
  ASSERT_TRUE(Os().files->CreateFolder(folder + L"\\sub"));
  EXPECT_EQ(Os().files->ListFiles(folder).size(), 2u);  // folders are not files
  ASSERT_TRUE(Os().files->MoveReplace(a, b));
  std::string bytes;
  ASSERT_TRUE(Os().files->ReadAll(b, bytes));
  EXPECT_EQ(bytes, "new line");
  EXPECT_FALSE(FileExists(a));
  EXPECT_FALSE(Os().files->RemoveFolder(folder));  // not empty
}

// Planted by scripts/test.sh from the host side before the run, because links
// cannot be made from inside Wine: in each folder a target folder with two
// files, an empty folder, and links to the target (relative and absolute), to
// the empty folder, to a file and to nothing.
const wchar_t kListedLinks[] = L"C:\\tests\\links\\listed";
const wchar_t kRemovedLinks[] = L"C:\\tests\\links\\removed";
const std::string kKeep1 = "keep 1\r\n", kKeep2 = "keep 2\r\n";

// Wine 8 resolves every link before it opens, deletes or moves anything, and
// only shows links to folders as links: a link to a file lists as that file
// and a dangling link not at all. What only real Windows can show is checked
// only there.
bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  return names;
}

bool Contains(const std::vector<std::wstring>& names, const std::wstring& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

void ExpectTargetsUntouched(const std::wstring& root) {
  std::string bytes;
  EXPECT_TRUE(Os().files->ReadAll(root + L"\\target\\keep1.txt", bytes));
  EXPECT_EQ(bytes, kKeep1);
  EXPECT_TRUE(Os().files->ReadAll(root + L"\\target\\keep2.txt", bytes));
  EXPECT_EQ(bytes, kKeep2);
  EXPECT_EQ(Sorted(Os().files->ListFiles(root + L"\\target")),
            (std::vector<std::wstring>{L"keep1.txt", L"keep2.txt"}));
  EXPECT_TRUE(Os().files->FolderExists(root + L"\\empty-target"));
}

TEST(FilesContract, LinksAreSeenAndListedApartFromFilesAndFolders) {
  const std::wstring root = kListedLinks;
  FileSystem& files = *Os().files;
  ASSERT_TRUE(files.FolderExists(root + L"\\dir-link")) << "links are planted by scripts/test.sh";
  for (const wchar_t* link : {L"dir-link", L"absolute-link", L"empty-link"}) {
    EXPECT_TRUE(files.IsLink(root + L"\\" + link)) << link;
    EXPECT_TRUE(Contains(files.ListLinks(root), link)) << link;
    EXPECT_FALSE(Contains(files.ListFiles(root), link)) << link;
  }
  EXPECT_FALSE(files.IsLink(root + L"\\target"));
  EXPECT_FALSE(files.IsLink(root + L"\\target\\keep1.txt"));
  EXPECT_FALSE(files.IsLink(root + L"\\no such link"));
  EXPECT_EQ(Sorted(files.ListFolders(root)), (std::vector<std::wstring>{L"empty-target", L"target"}));
  if (!UnderWine()) {
    EXPECT_TRUE(files.IsLink(root + L"\\file-link"));
    EXPECT_TRUE(files.IsLink(root + L"\\dangling-link"));
    EXPECT_EQ(files.ListLinks(root).size(), 5u);
    EXPECT_TRUE(files.ListFiles(root).empty());
  } else {
    // Wine shows a link to a file as the file and one to nowhere not at
    // all: a walk meets the first as a file (which RemoveFile then refuses,
    // see below) and never meets the second.
    EXPECT_EQ(files.ListFiles(root), std::vector<std::wstring>{L"file-link"});
    EXPECT_EQ(files.ListLinks(root).size(), 3u);
  }
  ExpectTargetsUntouched(root);
}

TEST(FilesContract, RemoveLinkNeverTouchesWhatTheLinkPointsTo) {
  const std::wstring root = kRemovedLinks;
  FileSystem& files = *Os().files;
  ASSERT_TRUE(files.FolderExists(root + L"\\empty-link")) << "links are planted by scripts/test.sh";
  for (const wchar_t* link : {L"dir-link", L"absolute-link", L"empty-link", L"file-link", L"dangling-link"}) {
    const std::wstring path = root + L"\\" + link;
    const bool seen = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool removed = files.RemoveLink(path);
    const bool gone =
        GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES && !Contains(files.ListLinks(root), link);
    // The answer tells the truth. Wine opens what a link points to however
    // it is asked, so there the only safe answer is a refusal that leaves
    // the link where it is.
    EXPECT_EQ(removed, seen && gone) << link;
    if (!UnderWine()) {
      EXPECT_TRUE(removed) << link;
    } else if (seen) {
      EXPECT_FALSE(removed) << link;
      EXPECT_FALSE(gone) << link;
    }
  }
  // Wine shows a link to a file as a plain file, and a delete by name
  // would take what it points to: RemoveFile refuses it and keeps both.
  if (UnderWine()) {
    EXPECT_FALSE(files.RemoveFile(root + L"\\file-link"));
    EXPECT_EQ(files.LastFailure(), FsFailure::Refused);
    EXPECT_TRUE(files.FileExists(root + L"\\file-link"));
  }
  // A link to an empty folder is the case where deleting by name goes wrong:
  // the empty target is what disappears.
  ExpectTargetsUntouched(root);

  const std::wstring folder = ScratchFolder();
  ASSERT_TRUE(files.WriteAll(folder + L"\\plain.txt", "plain"));
  ASSERT_TRUE(files.CreateFolder(folder + L"\\plain"));
  EXPECT_FALSE(files.RemoveLink(folder + L"\\plain.txt"));
  EXPECT_FALSE(files.RemoveLink(folder + L"\\plain"));
  EXPECT_FALSE(files.RemoveLink(folder + L"\\missing"));
  EXPECT_TRUE(files.FileExists(folder + L"\\plain.txt"));
  EXPECT_TRUE(files.FolderExists(folder + L"\\plain"));
}

TEST(FilesContract, OutputFileFlushesAndReportsItsClose) {
  const std::wstring file = ScratchFolder() + L"\\out.txt";
  std::unique_ptr<OutputFile> out = Os().files->Create(file);
  ASSERT_TRUE(out);
  EXPECT_TRUE(out->Write("first"));
  EXPECT_TRUE(out->Flush());
  std::string bytes;
  EXPECT_TRUE(Os().files->ReadAll(file, bytes));  // readable beside the writer
  EXPECT_EQ(bytes, "first");
  EXPECT_TRUE(out->Close());
  EXPECT_FALSE(out->Close());
  EXPECT_FALSE(out->Write("late"));
  EXPECT_FALSE(out->Flush());
  EXPECT_FALSE(Os().files->WriteAll(ScratchFolder() + L"\\missing\\x.txt", "x"));
}

TEST(FilesContract, ErrorCodesMapToTheReasonsTheLogicActsOn) {
  using Codes = std::initializer_list<DWORD>;
  const DWORD quotaExceeded = 1295;  // ERROR_DISK_QUOTA_EXCEEDED, missing from MinGW-w64's headers
  const DWORD deviceRemoved = 1617;  // ERROR_DEVICE_REMOVED, likewise
  for (DWORD full : Codes{ERROR_DISK_FULL, ERROR_HANDLE_DISK_FULL, quotaExceeded})
    EXPECT_EQ(win32::FailureOfError(full), FsFailure::DiskFull) << full;
  EXPECT_EQ(win32::FailureOfError(ERROR_FILE_NOT_FOUND), FsFailure::Missing);
  for (DWORD gone : Codes{ERROR_PATH_NOT_FOUND, ERROR_INVALID_DRIVE, ERROR_NOT_READY, ERROR_DEV_NOT_EXIST,
                          ERROR_DEVICE_NOT_CONNECTED, deviceRemoved, ERROR_FILE_INVALID})
    EXPECT_EQ(win32::FailureOfError(gone), FsFailure::Gone) << gone;
  for (DWORD inUse : Codes{ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION})
    EXPECT_EQ(win32::FailureOfError(inUse), FsFailure::InUse) << inUse;
  for (DWORD refused : Codes{ERROR_ACCESS_DENIED, ERROR_WRITE_PROTECT, ERROR_ALREADY_EXISTS, ERROR_FILE_EXISTS,
                             ERROR_DIR_NOT_EMPTY, ERROR_INVALID_NAME, ERROR_WRITE_FAULT})
    EXPECT_EQ(win32::FailureOfError(refused), FsFailure::Refused) << refused;
  EXPECT_EQ(win32::FailureOfError(ERROR_SUCCESS), FsFailure::None);
}

// A held folder can be neither removed nor renamed by path, nor held twice,
// until its hold removes it; links and files are never held.
TEST(FilesContract, AHeldFolderStaysWhereItIsUntilItsHoldRemovesIt) {
  FileSystem& files = *Os().files;
  const std::wstring folder = ScratchFolder() + L"\\held";
  ASSERT_TRUE(files.CreateFolder(folder));
  std::unique_ptr<FolderHold> hold = files.Hold(folder);
  ASSERT_TRUE(hold);
  EXPECT_FALSE(files.Hold(folder));
  EXPECT_EQ(files.LastFailure(), FsFailure::InUse);
  EXPECT_FALSE(files.RemoveFolder(folder));
  EXPECT_FALSE(MoveFileW(folder.c_str(), (folder + L"-moved").c_str()));
  EXPECT_TRUE(files.FolderExists(folder));
  // Work inside goes on as usual.
  ASSERT_TRUE(files.WriteAll(folder + L"\\in.txt", "in"));
  EXPECT_EQ(files.ListFiles(folder), std::vector<std::wstring>{L"in.txt"});
  // Not empty: refused, and the hold has ended with it.
  EXPECT_FALSE(hold->Remove());
  EXPECT_TRUE(files.FileExists(folder + L"\\in.txt"));
  hold = files.Hold(folder);
  ASSERT_TRUE(hold);
  ASSERT_TRUE(files.RemoveFile(folder + L"\\in.txt"));
  EXPECT_TRUE(hold->Remove());
  EXPECT_FALSE(files.FolderExists(folder));
  EXPECT_FALSE(hold->Remove());

  EXPECT_FALSE(files.Hold(folder));
  EXPECT_EQ(files.LastFailure(), FsFailure::Missing);
  EXPECT_FALSE(files.Hold(folder + L"\\deeper"));
  EXPECT_EQ(files.LastFailure(), FsFailure::Gone);
  ASSERT_TRUE(files.WriteAll(folder + L"-file", "x"));
  EXPECT_FALSE(files.Hold(folder + L"-file"));
  EXPECT_EQ(files.LastFailure(), FsFailure::Refused);
  for (const wchar_t* link : {L"dir-link", L"absolute-link", L"empty-link"}) {
    EXPECT_FALSE(files.Hold(std::wstring(kListedLinks) + L"\\" + link)) << link;
    EXPECT_EQ(files.LastFailure(), FsFailure::Refused) << link;
  }
  ExpectTargetsUntouched(kListedLinks);
}

// CreateNew never reaches through a name that is there: a file, a link to
// a file, a link to nowhere.
TEST(FilesContract, CreateNewFailsOnEveryNameThatIsThere) {
  FileSystem& files = *Os().files;
  const std::wstring folder = ScratchFolder();
  std::unique_ptr<OutputFile> out = files.CreateNew(folder + L"\\new.txt");
  ASSERT_TRUE(out);
  EXPECT_TRUE(out->Write("new"));
  EXPECT_TRUE(out->Close());
  EXPECT_FALSE(files.CreateNew(folder + L"\\new.txt"));
  EXPECT_EQ(files.LastFailure(), FsFailure::Refused);
  std::string bytes;
  EXPECT_TRUE(files.ReadAll(folder + L"\\new.txt", bytes));
  EXPECT_EQ(bytes, "new");
  for (const wchar_t* link : {L"file-link", L"dangling-link", L"dir-link"})
    EXPECT_FALSE(files.CreateNew(std::wstring(kListedLinks) + L"\\" + link)) << link;
  EXPECT_FALSE(files.FileExists(std::wstring(kListedLinks) + L"\\nowhere"));
  ExpectTargetsUntouched(kListedLinks);
  EXPECT_FALSE(files.CreateNew(folder + L"\\no folder\\x"));
  EXPECT_EQ(files.LastFailure(), FsFailure::Gone);
}

TEST(FilesContract, LastFailureTellsAMissingFileFromARefusal) {
  FileSystem& files = *Os().files;
  const std::wstring folder = ScratchFolder();
  std::string bytes;
  EXPECT_FALSE(files.OpenRead(folder + L"\\missing.bin"));
  EXPECT_EQ(files.LastFailure(), FsFailure::Missing);
  EXPECT_FALSE(files.ReadAll(folder + L"\\missing.bin", bytes));
  EXPECT_EQ(files.LastFailure(), FsFailure::Missing);
  EXPECT_FALSE(files.Create(folder + L"\\no folder\\x.bin"));
  EXPECT_EQ(files.LastFailure(), FsFailure::Gone);
  EXPECT_FALSE(files.RemoveFile(folder + L"\\missing.bin"));
  EXPECT_EQ(files.LastFailure(), FsFailure::Missing);
  EXPECT_FALSE(files.EachFile(folder + L"\\no folder", [](const std::wstring&) { return true; }));
  EXPECT_EQ(files.LastFailure(), FsFailure::Gone);
  EXPECT_TRUE(files.WriteAll(folder + L"\\there.txt", "there"));
  EXPECT_EQ(files.LastFailure(), FsFailure::None);

  // Wine keeps the read-only mark in the file's Unix permissions and does
  // not check it before it opens a file for writing, so run as root (as the
  // tests are) it writes a read-only file; it does check before deleting.
  const std::wstring readOnly = folder + L"\\read-only.txt";
  ASSERT_TRUE(files.WriteAll(readOnly, "kept"));
  ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  if (!UnderWine()) {
    EXPECT_FALSE(files.WriteAll(readOnly, "lost"));
    EXPECT_EQ(files.LastFailure(), FsFailure::Refused);
    EXPECT_FALSE(files.Create(readOnly));
    EXPECT_EQ(files.LastFailure(), FsFailure::Refused);
    EXPECT_TRUE(files.ReadAll(readOnly, bytes));
    EXPECT_EQ(bytes, "kept");
  }
  EXPECT_FALSE(files.RemoveFile(readOnly));
  EXPECT_EQ(files.LastFailure(), FsFailure::Refused);
  // Questions in between leave the reason alone.
  EXPECT_TRUE(files.FileExists(readOnly));
  EXPECT_FALSE(files.ListFiles(folder).empty());
  EXPECT_EQ(files.LastFailure(), FsFailure::Refused);
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);

  // Writing where a folder stands is refused.
  ASSERT_TRUE(files.CreateFolder(folder + L"\\a folder"));
  EXPECT_FALSE(files.WriteAll(folder + L"\\a folder", "x"));
  EXPECT_EQ(files.LastFailure(), FsFailure::Refused);

  // A file another writer holds is in use.
  std::unique_ptr<OutputFile> holder = files.Create(folder + L"\\held.txt");
  ASSERT_TRUE(holder);
  EXPECT_FALSE(files.Create(folder + L"\\held.txt"));
  EXPECT_EQ(files.LastFailure(), FsFailure::InUse);
}

TEST(FilesContract, EachFileWhileRemovingVisitsEveryFileExactlyOnce) {
  FileSystem& files = *Os().files;
  const std::wstring folder = ScratchFolder();
  // Names as long as the engine's name files, so the system's batches of
  // names end in the middle of the folder many times over.
  std::set<std::wstring> made;
  for (int i = 0; i < 3000; ++i) {
    std::wstring name = std::to_wstring(i) + L"-";
    name += std::wstring(115 - name.size(), L'n');
    ASSERT_TRUE(files.WriteAll(folder + L"\\" + name, "")) << i;
    made.insert(name);
  }
  ASSERT_TRUE(files.CreateFolder(folder + L"\\sub"));
  ASSERT_TRUE(files.WriteAll(folder + L"\\sub\\deeper.txt", "x"));

  std::map<std::wstring, int> seen;
  EXPECT_TRUE(files.EachFile(folder, [&](const std::wstring& name) {
    ++seen[name];
    EXPECT_TRUE(files.RemoveFile(folder + L"\\" + name)) << name;
    return true;
  }));
  EXPECT_EQ(files.LastFailure(), FsFailure::None);
  EXPECT_EQ(seen.size(), made.size());
  std::set<std::wstring> names;
  for (const auto& [name, times] : seen) {
    EXPECT_EQ(times, 1) << name;
    names.insert(name);
  }
  EXPECT_EQ(names, made);
  EXPECT_TRUE(files.ListFiles(folder).empty());
  EXPECT_TRUE(files.FileExists(folder + L"\\sub\\deeper.txt"));

  int handed = 0;
  EXPECT_TRUE(files.EachFile(folder + L"\\sub", [&](const std::wstring&) { return ++handed < 0; }));
  EXPECT_EQ(handed, 1);
}

TEST(FilesContract, WalksLeaveLinksOutAsTheListsDo) {
  const std::wstring root = kListedLinks;
  FileSystem& files = *Os().files;
  ASSERT_TRUE(files.FolderExists(root + L"\\dir-link")) << "links are planted by scripts/test.sh";
  std::vector<std::wstring> walkedFiles;
  EXPECT_TRUE(files.EachFile(root, [&](const std::wstring& name) {
    walkedFiles.push_back(name);
    return true;
  }));
  EXPECT_EQ(Sorted(walkedFiles), Sorted(files.ListFiles(root)));
}

TEST(FilesContract, OpenReadReadsAFileBackWholeInBlocks) {
  FileSystem& files = *Os().files;
  const std::wstring file = ScratchFolder() + L"\\blocks.bin";
  std::string whole(3 * 1024 * 1024 + 12345, '\0');
  uint32_t seed = 12345;
  for (char& c : whole) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
  ASSERT_TRUE(files.WriteAll(file, whole));
  std::unique_ptr<InputFile> in = files.OpenRead(file);
  ASSERT_TRUE(in);
  std::string back, block;
  int blocks = 0;
  for (;;) {
    ASSERT_TRUE(in->Read(block, 1 << 20));
    if (block.empty()) break;
    back += block;
    ++blocks;
  }
  EXPECT_EQ(blocks, 4);
  EXPECT_TRUE(back == whole);
  EXPECT_TRUE(in->Read(block, 1 << 20));
  EXPECT_TRUE(block.empty());
}

// Planted by scripts/test.sh: a small NTFS image mapped as T:.
const wchar_t kSmallVolume[] = L"T:\\";

TEST(FilesContract, AWriteBeyondTheFreeSpaceFindsTheDiskFull) {
  FileSystem& files = *Os().files;
  const std::wstring root = kSmallVolume;
  ASSERT_TRUE(files.FolderExists(root)) << "a small volume is mapped as T: by scripts/test.sh";
  const std::string block(1 << 20, 'f');
  std::unique_ptr<OutputFile> out = files.Create(root + L"fill.bin");
  ASSERT_TRUE(out);
  int written = 0;
  while (written < 64 && out->Write(block)) ++written;
  EXPECT_LT(written, 64);
  EXPECT_EQ(files.LastFailure(), FsFailure::DiskFull);
  out.reset();
  EXPECT_EQ(files.LastFailure(), FsFailure::DiskFull);  // closing quietly keeps the reason

  EXPECT_FALSE(files.WriteAll(root + L"more.bin", block));
  EXPECT_EQ(files.LastFailure(), FsFailure::DiskFull);
  const std::wstring source = ScratchFolder() + L"\\source.bin";
  ASSERT_TRUE(files.WriteAll(source, block));
  EXPECT_FALSE(files.Copy(source, root + L"copy.bin"));
  EXPECT_EQ(files.LastFailure(), FsFailure::DiskFull);

  for (const wchar_t* name : {L"fill.bin", L"more.bin", L"copy.bin"}) files.RemoveFile(root + name);
  EXPECT_TRUE(files.WriteAll(root + L"after.bin", block));
  EXPECT_TRUE(files.RemoveFile(root + L"after.bin"));
}

// Ends with 1 once the reader has taken all it wrote, so the read that fails
// is one after reads that succeeded.
DWORD WINAPI WriteThenDisconnect(void* pipe) {
  const std::string half(100 * 1024, 'h');
  ConnectNamedPipe(pipe, nullptr);
  DWORD written = 0;
  const bool taken = WriteFile(pipe, half.data(), static_cast<DWORD>(half.size()), &written, nullptr) &&
                     written == half.size() && FlushFileBuffers(pipe);
  DisconnectNamedPipe(pipe);
  return taken ? 1 : 0;
}

TEST(FilesContract, ReadAllIsFalseWhenAReadFailsHalfWay) {
  const std::string whole(300 * 1024 + 7, 'w');
  const std::wstring file = ScratchFolder() + L"\\whole.bin";
  ASSERT_TRUE(Os().files->WriteAll(file, whole));
  std::string bytes;
  EXPECT_TRUE(Os().files->ReadAll(file, bytes));
  EXPECT_EQ(bytes, whole);

  // Wine does not stop a read at another handle's byte-range lock, so the
  // failing read comes from a pipe whose writer goes away after 100 KiB:
  // the same reads, the later one refused.
  const std::wstring name = L"\\\\.\\pipe\\vantrel-contract-" + std::to_wstring(GetCurrentProcessId());
  FileHandle pipe(CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                                   64 * 1024, 64 * 1024, 0, nullptr));
  ASSERT_TRUE(pipe.valid());
  HANDLE writer = CreateThread(nullptr, 0, WriteThenDisconnect, pipe.get(), 0, nullptr);
  ASSERT_NE(writer, nullptr);
  bytes = "stale";
  EXPECT_FALSE(Os().files->ReadAll(name, bytes));
  EXPECT_TRUE(bytes.empty());
  ASSERT_EQ(WaitForSingleObject(writer, 10000), WAIT_OBJECT_0);
  DWORD taken = 0;
  GetExitCodeThread(writer, &taken);
  CloseHandle(writer);
  EXPECT_EQ(taken, 1u);
}

}  // namespace
}  // namespace vantrel::contract
