// The file-system and INI contracts the logic relies on, kept by the Win32
// platform: what a failure is called where the logic acts on it, links
// never followed when something is removed or created, held folders, and INI
// values as the system reads them. Walks of large folders, a full disk and
// the links of a run are the engine's and first-run journeys' to prove.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/WinApi.h"
#include "services/IniHelpers.h"
#include "services/Paths.h"
#include "tests/contract/ContractHarness.h"

namespace vantrel::contract {
namespace {

// Planted by scripts/test.sh from the host side, as links cannot be made
// from inside Wine: a target folder with two files, an empty folder, and
// links to the target (relative and absolute), to the empty folder, to a
// file and to nothing.
const std::wstring kLinks = L"C:\\tests\\links";

// Wine 8 shows only links to folders as links: a link to a file lists as
// that file and a dangling link not at all. What only real Windows can show
// is checked only there.
bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
  std::sort(names.begin(), names.end());
  return names;
}

// The platform's own INI reading (which hands a file's bytes through, as
// language files are in their own code page) finds what the system's reader
// finds; every byte of a value comes back as it is, also those that are no
// character in the system's code page; the helpers cut, write and bound.
TEST(FilesContract, IniValuesAreWhatTheSystemReaderFindsByteForByte) {
  FileSystem& files = *Os().files;
  const std::wstring file = ScratchFolder() + L"\\rules.ini";
  std::string high;
  for (int b = 0x80; b <= 0xFF; ++b) high.push_back(static_cast<char>(b));
  ASSERT_TRUE(files.WriteAll(
      file,
      "Loose=before any section\r\n[Main]\r\n; note=a comment\r\n  Indented  =  value with  inner  blanks  \r\n"
      "Tabbed\t=\tx\t\r\nTwo Words=y\r\nEquals=a=b\r\nDup=first\r\nDup=second\r\nSingle='q'\r\n"
      "Mixed=\"q'\r\nLone=\"\r\nPair=\"\"\r\nInner=a \"b\" c\r\nNoValue\r\n=nameless\r\nLf=unix\n"
      "[ Spaced ]\r\nK=spaced section\r\n[Tail] trailing words\r\n"
      "K=tail section\r\n[Main]\r\nAgain=second main section\r\nDup=third\r\n[Open\r\nK=open\r\n"
      "[Bytes]\r\nHigh=" +
          high +
          "\r\nLead=A\x81\r\nBadTrail=\x81\x7F\x82\r\nQuoted=\"\x81\"\r\n"
          "[Long]\r\nLong=" +
          std::string(10000, 'a') + "\r\n[Last]\r\nK=no line break at the end"));
  std::vector<std::pair<std::wstring, std::wstring>> lookups = {
      {L"Spaced", L"K"}, {L"Tail", L"K"}, {L"Open", L"K"}, {L"Last", L"K"}};
  for (const wchar_t* key : {L"Loose", L"Indented", L"Tabbed", L"Two Words", L"Equals", L"Dup", L"Single", L"Mixed",
                             L"Lone", L"Pair", L"Inner", L"NoValue", L"note", L"Lf", L"Again", L"K"})
    lookups.emplace_back(L"Main", key);
  for (const auto& [section, key] : lookups) {
    char expected[750] = "";
    const DWORD n = GetPrivateProfileStringA(win32::ToAnsi(section).c_str(), win32::ToAnsi(key).c_str(), "", expected,
                                             sizeof expected, win32::ToAnsi(file).c_str());
    EXPECT_EQ(Os().profiles->Read(section, key, file, 750), std::string(expected, n)) << win32::ToAnsi(key);
  }
  const std::pair<const wchar_t*, std::string> bytes[] = {
      {L"high", high}, {L"lead", "A\x81"}, {L"badtrail", "\x81\x7F\x82"}, {L"quoted", "\x81"}};
  for (const auto& [key, value] : bytes) EXPECT_EQ(Os().profiles->Read(L"Bytes", key, file, 750), value);
  EXPECT_EQ(Os().profiles->Read(L"Bytes", L"high", file, 17), high.substr(0, 16));
  EXPECT_EQ(IniRead(L"long", L"LONG", file), std::wstring(749, L'a'));
  IniWrite(L"BRISEN2.2", L"pcid", L"123456789", file);
  std::string all;
  ASSERT_TRUE(files.ReadAll(file, all));
  EXPECT_NE(all.find("PCID=123456789"), std::string::npos);
  EXPECT_EQ(IniReadSmallFile(L"brisen2.2", L"PcId", file, 65536), L"123456789");
  EXPECT_EQ(IniReadSmallFile(L"brisen2.2", L"PcId", file + L".missing", 65536), L"");
  EXPECT_EQ(IniReadSmallFile(L"brisen2.2", L"PcId", file, all.size() - 1), std::nullopt);
}

// As the log and the template copies use them: a listing holds no folders,
// a replacement is one step, a file reads back whole in blocks, a writer
// tells its close; and the path forms the translators' check asks for.
TEST(FilesContract, ReplacementBlocksAndWriters) {
  FileSystem& files = *Os().files;
  const std::wstring folder = ScratchFolder(), a = folder + L"\\a.txt", b = folder + L"\\b.txt";
  std::string whole(3 * 1024 * 1024 + 12345, '\0'), back, block;
  uint32_t seed = 12345;
  for (char& c : whole) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
  ASSERT_TRUE(files.WriteAll(a, whole) && files.WriteAll(b, "old") && files.CreateFolder(folder + L"\\A long name"));
  EXPECT_EQ(files.ListFiles(folder).size(), 2u);
  ASSERT_TRUE(files.MoveReplace(a, b));
  std::unique_ptr<InputFile> in = files.OpenRead(b);
  int blocks = 0;
  for (; in && in->Read(block, 1 << 20) && !block.empty(); ++blocks) back += block;
  EXPECT_TRUE(!FileExists(a) && blocks == 4 && back == whole);
  EXPECT_TRUE(FolderExists(ShortPath(folder + L"\\A long name")) && ShortPath(folder + L"\\none").empty());
  std::unique_ptr<OutputFile> out = files.Create(a);
  ASSERT_TRUE(out && out->Write("first") && out->Flush() && files.ReadAll(a, back) && back == "first");
  EXPECT_TRUE(out->Close());
  EXPECT_FALSE(out->Close() || out->Write("late") || out->Flush());
}

// A file written again where it lies keeps its size, and what it holds is
// read back through the second, uncached handle also where a read starts
// or ends inside a sector; a write beyond its end is refused.
TEST(FilesContract, ARewriteKeepsTheSizeAndReadsBackFromTheDisk) {
  FileSystem& files = *Os().files;
  const std::wstring a = ScratchFolder() + L"\\a";
  const std::string before(10'000, 'x'), pass(10'000, '\x55');
  ASSERT_TRUE(files.WriteAll(a, before));
  std::unique_ptr<RewriteFile> file = files.OpenRewrite(a);
  ASSERT_TRUE(file && file->Size() == 10'000 && file->WriteAt(0, pass) && file->Flush());
  std::string back;
  EXPECT_TRUE(file->ReadFromDisk(100, back, 5'000) && back == pass.substr(100, 5'000));
  EXPECT_TRUE(file->ReadFromDisk(8'192, back, 4'096) && back == pass.substr(8'192));
  EXPECT_FALSE(file->WriteAt(9'999, "ab"));
  EXPECT_TRUE(file->Close() && files.ReadAll(a, back) && back == pass);
}

// Why an operation failed, where the logic acts on it: a file someone else
// removed is no failure, but one whose folder or disk went away is; a
// read-only file and an existing name are refusals. Questions in between
// leave the reason alone.
TEST(FilesContract, LastFailureTellsWhyAnOperationFailed) {
  FileSystem& files = *Os().files;
  const std::wstring folder = ScratchFolder(), missing = folder + L"\\missing.bin", kept = folder + L"\\read-only.txt";
  std::string bytes;
  ASSERT_TRUE(files.WriteAll(kept, "kept") && SetFileAttributesW(kept.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::pair<std::function<bool()>, FsFailure> failures[] = {
      {[&] { return files.OpenRead(missing) != nullptr; }, FsFailure::Missing},
      {[&] { return files.RemoveFile(missing); }, FsFailure::Missing},
      {[&] { return files.RemoveFile(folder + L"\\no folder\\x"); }, FsFailure::Gone},
      {[&] { return files.CreateNew(kept) != nullptr; }, FsFailure::Refused},
      {[&] { return files.RemoveFile(kept); }, FsFailure::Refused}};
  for (const auto& [operation, why] : failures) {
    EXPECT_FALSE(operation());
    EXPECT_EQ(files.LastFailure(), why) << static_cast<int>(why);
  }
  EXPECT_TRUE(files.FileExists(kept) && !files.ListFiles(folder).empty());
  EXPECT_EQ(files.LastFailure(), FsFailure::Refused);
  EXPECT_TRUE(files.ReadAll(kept, bytes) && bytes == "kept");
  EXPECT_EQ(files.LastFailure(), FsFailure::None);
  SetFileAttributesW(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Links are seen and listed apart from files and folders, walks leave them
// out as the lists do, and nothing that removes, creates or holds goes
// through one: the link goes, or the call fails, and its target stays.
TEST(FilesContract, LinksAreListedApartAndNeverFollowed) {
  FileSystem& files = *Os().files;
  const std::wstring& root = kLinks;
  ASSERT_TRUE(files.FolderExists(root + L"\\dir-link")) << "links are planted by scripts/test.sh";
  const std::vector<std::wstring> links = files.ListLinks(root);
  for (const wchar_t* link : {L"dir-link", L"absolute-link", L"empty-link"}) {
    EXPECT_TRUE(files.IsLink(root + L"\\" + link) && std::count(links.begin(), links.end(), link) == 1) << link;
    EXPECT_FALSE(files.Hold(root + L"\\" + link));
    EXPECT_EQ(files.LastFailure(), FsFailure::Refused) << link;
  }
  for (const wchar_t* plain : {L"target", L"target\\keep1.txt", L"nowhere"})
    EXPECT_FALSE(files.IsLink(root + L"\\" + plain) || files.RemoveLink(root + L"\\" + plain)) << plain;
  EXPECT_EQ(Sorted(files.ListFolders(root)), (std::vector<std::wstring>{L"empty-target", L"target"}));
  // Under Wine a link to a file lists as the file, and one to nowhere not
  // at all: a walk meets the first as a file, which RemoveFile refuses.
  EXPECT_EQ(files.ListFiles(root), UnderWine() ? std::vector<std::wstring>{L"file-link"} : std::vector<std::wstring>{});
  std::vector<std::wstring> walked;
  EXPECT_TRUE(files.EachFile(root, [&](const std::wstring& name) { return walked.push_back(name), true; }));
  EXPECT_EQ(walked, files.ListFiles(root));
  for (const wchar_t* link : {L"file-link", L"dangling-link", L"dir-link"})
    EXPECT_FALSE(files.CreateNew(root + L"\\" + link)) << link;
  EXPECT_FALSE(files.FileExists(root + L"\\nowhere"));
  // RemoveLink tells the truth. Wine opens what a link points to however
  // it is asked, so there the only safe answer is a refusal that keeps it.
  for (const wchar_t* link : {L"dir-link", L"absolute-link", L"empty-link", L"file-link", L"dangling-link"}) {
    const std::wstring path = root + L"\\" + link;
    const bool seen = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool removed = files.RemoveLink(path);
    EXPECT_EQ(removed, seen && GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) << link;
  }
  std::string one, two;
  EXPECT_TRUE(files.ReadAll(root + L"\\target\\keep1.txt", one) && files.ReadAll(root + L"\\target\\keep2.txt", two));
  EXPECT_EQ(one + two, "keep 1\r\nkeep 2\r\n");
  EXPECT_EQ(Sorted(files.ListFiles(root + L"\\target")), (std::vector<std::wstring>{L"keep1.txt", L"keep2.txt"}));
  EXPECT_TRUE(files.FolderExists(root + L"\\empty-target"));
}

// A held folder can be neither removed nor renamed by path, nor held twice,
// until its hold removes it; work inside goes on; a hold of a folder that
// is not empty removes nothing and ends.
TEST(FilesContract, AHeldFolderStaysWhereItIsUntilItsHoldRemovesIt) {
  FileSystem& files = *Os().files;
  const std::wstring folder = ScratchFolder() + L"\\held";
  ASSERT_TRUE(files.CreateFolder(folder));
  std::unique_ptr<FolderHold> hold = files.Hold(folder);
  ASSERT_TRUE(hold);
  EXPECT_FALSE(files.Hold(folder));
  EXPECT_EQ(files.LastFailure(), FsFailure::InUse);
  EXPECT_FALSE(files.RemoveFolder(folder) || MoveFileW(folder.c_str(), (folder + L"-moved").c_str()));
  ASSERT_TRUE(files.WriteAll(folder + L"\\in.txt", "in"));
  EXPECT_FALSE(hold->Remove());
  EXPECT_TRUE(files.FileExists(folder + L"\\in.txt"));
  hold = files.Hold(folder);
  ASSERT_TRUE(hold && files.RemoveFile(folder + L"\\in.txt"));
  EXPECT_TRUE(hold->Remove());
  EXPECT_FALSE(files.FolderExists(folder) || hold->Remove());
  const std::pair<std::wstring, FsFailure> absent[] = {{folder, FsFailure::Missing},
                                                       {folder + L"\\deeper", FsFailure::Gone}};
  for (const auto& [path, why] : absent) {
    EXPECT_FALSE(files.Hold(path));
    EXPECT_EQ(files.LastFailure(), why);
  }
}

}  // namespace
}  // namespace vantrel::contract
