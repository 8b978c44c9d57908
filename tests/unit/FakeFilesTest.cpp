// The fake file system and drives keep the contracts the Win32 ones keep:
// the fault table, the reasons of failures, the walks and block reads.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "platform/fake/FakeDrives.h"
#include "platform/fake/FakeFileSystem.h"

namespace vantrel::fake {
namespace {

class FakeFiles : public ::testing::Test {
 protected:
  FakeFiles() {
    fs.AddDrive(L'D');
    fs.MakeFolders(L"D:\\work");
  }
  FakeFileSystem fs;
};

std::vector<std::wstring> Walked(FileSystem& fs, const std::wstring& folder) {
  std::vector<std::wstring> names;
  EXPECT_TRUE(fs.EachFile(folder, [&](const std::wstring& name) {
    names.push_back(name);
    return true;
  }));
  return names;
}

TEST_F(FakeFiles, TheNthCallFailsWithItsOutcomeAndTheNextSucceeds) {
  for (FsFailure outcome : {FsFailure::Refused, FsFailure::Missing, FsFailure::DiskFull}) {
    fs.faults.Fail(FsOp::Create, 3, outcome);
    EXPECT_TRUE(fs.Create(L"D:\\work\\1"));
    EXPECT_TRUE(fs.Create(L"D:\\work\\2"));
    EXPECT_FALSE(fs.Create(L"D:\\work\\3"));
    EXPECT_EQ(fs.LastFailure(), outcome);
    EXPECT_FALSE(fs.FileExists(L"D:\\work\\3"));
    EXPECT_TRUE(fs.Create(L"D:\\work\\4"));
    EXPECT_EQ(fs.LastFailure(), FsFailure::None);
  }
  EXPECT_EQ(fs.faults.Calls(FsOp::Create), 12u);
}

TEST_F(FakeFiles, FailingFromTheNthOnLastsUntilCleared) {
  fs.faults.FailFrom(FsOp::Write, 2, FsFailure::DiskFull);
  std::unique_ptr<OutputFile> out = fs.Create(L"D:\\work\\fill");
  ASSERT_TRUE(out);
  EXPECT_TRUE(out->Write("one"));
  EXPECT_FALSE(out->Write("two"));
  EXPECT_FALSE(fs.WriteAll(L"D:\\work\\other", "x"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::DiskFull);
  fs.faults.Clear();
  EXPECT_TRUE(out->Write("three"));
  EXPECT_EQ(fs.Contents(L"D:\\work\\fill"), "onethree");
}

TEST_F(FakeFiles, TwoRulesOnOneCallFailItOnce) {
  fs.faults.Fail(FsOp::CreateFolder, 1, FsFailure::Missing);
  fs.faults.Fail(FsOp::CreateFolder, 1, FsFailure::Refused);
  EXPECT_FALSE(fs.CreateFolder(L"D:\\work\\a"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::Missing);
  EXPECT_TRUE(fs.CreateFolder(L"D:\\work\\a"));
}

// Every operation is counted under its own kind and fails through the table.
TEST_F(FakeFiles, EveryOperationConsultsTheTable) {
  fs.PutFile(L"D:\\work\\src", "bytes");
  fs.MakeFolders(L"D:\\work\\gone");
  std::unique_ptr<OutputFile> out = fs.Create(L"D:\\work\\out");
  std::unique_ptr<InputFile> in = fs.OpenRead(L"D:\\work\\src");
  ASSERT_TRUE(out && in);
  std::string block;
  const std::map<FsOp, std::function<bool()>> ops = {
      {FsOp::Create, [&] { return fs.Create(L"D:\\work\\new") != nullptr; }},
      {FsOp::Write, [&] { return out->Write("w") && fs.WriteAll(L"D:\\work\\all", "a"); }},
      {FsOp::Append, [&] { return fs.AppendAll(L"D:\\work\\all", "b"); }},
      {FsOp::Flush, [&] { return out->Flush(); }},
      {FsOp::Close, [&] { return fs.WriteAll(L"D:\\work\\closed", "c"); }},
      {FsOp::Read, [&] { return fs.ReadAll(L"D:\\work\\src", block) && in->Read(block, 2); }},
      {FsOp::OpenRead, [&] { return fs.OpenRead(L"D:\\work\\src") != nullptr; }},
      {FsOp::RemoveFile, [&] { return fs.WriteAll(L"D:\\work\\del", "") && fs.RemoveFile(L"D:\\work\\del"); }},
      {FsOp::CreateFolder, [&] { return fs.CreateFolder(L"D:\\work\\f") && fs.RemoveFolder(L"D:\\work\\f"); }},
      {FsOp::RemoveFolder,
       [&] {
         return (fs.FolderExists(L"D:\\work\\g") || fs.CreateFolder(L"D:\\work\\g")) &&
                fs.RemoveFolder(L"D:\\work\\g");
       }},
      {FsOp::Copy, [&] { return fs.Copy(L"D:\\work\\src", L"D:\\work\\copy"); }},
      {FsOp::Move,
       [&] {
         return fs.Copy(L"D:\\work\\src", L"D:\\work\\m1") &&
                fs.MoveReplace(L"D:\\work\\m1", L"D:\\work\\m2");
       }},
      {FsOp::List, [&] { return fs.EachFile(L"D:\\work", [](const std::wstring&) { return true; }); }},
  };
  for (const auto& [op, run] : ops) {
    SCOPED_TRACE(static_cast<int>(op));
    fs.faults.Fail(op, 1, FsFailure::Missing);
    EXPECT_FALSE(run());
    EXPECT_EQ(fs.LastFailure(), FsFailure::Missing);
    EXPECT_TRUE(run());
    EXPECT_EQ(fs.LastFailure(), FsFailure::None);
  }
  fs.faults.Fail(FsOp::List, 1, FsFailure::Refused);
  EXPECT_TRUE(fs.ListFiles(L"D:\\work").empty());
  EXPECT_FALSE(fs.ListFiles(L"D:\\work").empty());
  fs.faults.Fail(FsOp::List, 1, FsFailure::Refused);
  EXPECT_FALSE(fs.EachFile(L"D:\\work", [](const std::wstring&) { return true; }));
  EXPECT_EQ(fs.LastFailure(), FsFailure::Refused);
}

TEST(FakeDrivesFaults, DriveQuestionsFailThroughTheSameTable) {
  FakeFileSystem fs;
  FakeDrives drives(&fs);
  drives.Plug({L"D"});
  fs.faults.Fail(FsOp::FreeSpace, 2, FsFailure::Refused);
  fs.faults.Fail(FsOp::Volume, 1, FsFailure::Missing);
  fs.faults.Fail(FsOp::TotalSize, 1, FsFailure::DiskFull);
  EXPECT_TRUE(drives.AvailableSpace(L"D:"));
  EXPECT_FALSE(drives.AvailableSpace(L"D:"));
  EXPECT_TRUE(drives.AvailableSpace(L"D:"));
  EXPECT_FALSE(drives.Volume(L"D"));
  EXPECT_TRUE(drives.Volume(L"D"));
  EXPECT_FALSE(drives.TotalSize(L"D"));
  EXPECT_TRUE(drives.TotalSize(L"D"));
  EXPECT_EQ(&drives.faults(), &fs.faults);

  FakeDrives alone;
  alone.Plug({L"E"});
  alone.faults().Fail(FsOp::FreeSpace, 1, FsFailure::Refused);
  EXPECT_FALSE(alone.AvailableSpace(L"E:"));
  EXPECT_TRUE(alone.AvailableSpace(L"E:"));
}

TEST_F(FakeFiles, AWriteBeyondTheCapacityFindsTheDiskFull) {
  fs.capacity[L'D'] = 10;
  std::unique_ptr<OutputFile> out = fs.Create(L"D:\\work\\fill");
  ASSERT_TRUE(out);
  EXPECT_TRUE(out->Write("12345678"));
  EXPECT_FALSE(out->Write("123"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::DiskFull);
  EXPECT_TRUE(out->Write("12"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::None);
  EXPECT_FALSE(fs.WriteAll(L"D:\\work\\more", "x"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::DiskFull);
  EXPECT_FALSE(fs.Copy(L"D:\\work\\fill", L"D:\\work\\copy"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::DiskFull);
}

TEST_F(FakeFiles, AbsentPathsAreMissingAndRefusalsRefused) {
  std::string bytes;
  EXPECT_FALSE(fs.ReadAll(L"D:\\work\\none", bytes));
  EXPECT_EQ(fs.LastFailure(), FsFailure::Missing);
  EXPECT_FALSE(fs.OpenRead(L"D:\\work\\none"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::Missing);
  EXPECT_FALSE(fs.Create(L"D:\\no folder\\x"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::Gone);
  EXPECT_FALSE(fs.RemoveFile(L"D:\\work\\none"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::Missing);
  EXPECT_FALSE(fs.EachFile(L"D:\\no folder", [](const std::wstring&) { return true; }));
  EXPECT_EQ(fs.LastFailure(), FsFailure::Gone);

  fs.PutFile(L"D:\\work\\ro", "x", true);
  EXPECT_FALSE(fs.WriteAll(L"D:\\work\\ro", "y"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::Refused);
  EXPECT_FALSE(fs.RemoveFile(L"D:\\work\\ro"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::Refused);
  EXPECT_FALSE(fs.RemoveFolder(L"D:\\work"));  // not empty
  EXPECT_EQ(fs.LastFailure(), FsFailure::Refused);

  fs.refuse = [](FsOp op, const std::wstring&) { return op == FsOp::Move; };
  fs.PutFile(L"D:\\work\\a", "a");
  EXPECT_FALSE(fs.MoveReplace(L"D:\\work\\a", L"D:\\work\\b"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::Refused);
  // Questions leave the reason alone.
  EXPECT_FALSE(fs.FileExists(L"D:\\work\\b"));
  EXPECT_TRUE(fs.ListFiles(L"D:\\work").size() == 2);
  EXPECT_EQ(fs.LastFailure(), FsFailure::Refused);
}

// Tests written before the fault table watch operations through `refuse`:
// they still see the kinds they saw.
TEST_F(FakeFiles, RefuseIsAskedAsBefore) {
  std::vector<FsOp> asked;
  fs.refuse = [&](FsOp op, const std::wstring&) {
    asked.push_back(op);
    return false;
  };
  std::unique_ptr<OutputFile> out = fs.Create(L"D:\\work\\x");
  out->Write("1");
  out->Close();
  fs.WriteAll(L"D:\\work\\y", "2");
  fs.Copy(L"D:\\work\\x", L"D:\\work\\z");
  EXPECT_EQ(asked, (std::vector<FsOp>{FsOp::Create, FsOp::Write, FsOp::Append, FsOp::Close, FsOp::Write,
                                      FsOp::Close, FsOp::Copy, FsOp::Write}));
  fs.refuse = [](FsOp op, const std::wstring&) { return op == FsOp::Write; };
  EXPECT_FALSE(fs.Create(L"D:\\work\\w"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::Refused);
}

TEST_F(FakeFiles, EachFileVisitsEveryFileOnceWhileTheyAreRemoved) {
  for (int i = 0; i < 500; ++i) fs.PutFile(L"D:\\work\\f" + std::to_wstring(i), "x");
  fs.MakeFolders(L"D:\\work\\sub");
  fs.PutFile(L"D:\\work\\sub\\deeper", "x");
  const std::vector<std::wstring> listed = fs.ListFiles(L"D:\\work");
  std::vector<std::wstring> seen;
  EXPECT_TRUE(fs.EachFile(L"D:\\work", [&](const std::wstring& name) {
    seen.push_back(name);
    return fs.RemoveFile(L"D:\\work\\" + name);
  }));
  EXPECT_EQ(seen, listed);
  EXPECT_EQ(seen.size(), 500u);
  EXPECT_TRUE(fs.ListFiles(L"D:\\work").empty());
  EXPECT_TRUE(fs.FileExists(L"D:\\work\\sub\\deeper"));
}

TEST_F(FakeFiles, EachFileSkipsFilesRemovedAheadAndStopsWhenAsked) {
  for (const wchar_t* name : {L"a", L"b", L"c", L"d", L"e"}) fs.PutFile(std::wstring(L"D:\\work\\") + name, "x");
  std::vector<std::wstring> seen;
  fs.EachFile(L"D:\\work", [&](const std::wstring& name) {
    seen.push_back(name);
    if (name == L"b") fs.RemoveFile(L"D:\\work\\c");
    return name != L"d";
  });
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"a", L"b", L"d"}));
}

TEST_F(FakeFiles, WalksLeaveLinksOutAsTheListsDo) {
  fs.MakeFolders(L"D:\\target\\inner");
  fs.PutFile(L"D:\\target\\kept.txt", "keep");
  fs.PutFile(L"D:\\work\\plain.txt", "x");
  fs.MakeFolders(L"D:\\work\\folder");
  fs.PutLink(L"D:\\work\\dir-link", L"D:\\target");
  fs.PutLink(L"D:\\work\\file-link", L"D:\\target\\kept.txt", false);
  EXPECT_EQ(Walked(fs, L"D:\\work"), (std::vector<std::wstring>{L"plain.txt"}));
  EXPECT_EQ(Walked(fs, L"D:\\work"), fs.ListFiles(L"D:\\work"));
  // Walking through a link walks its target, as a search through it does.
  EXPECT_EQ(Walked(fs, L"D:\\work\\dir-link"), (std::vector<std::wstring>{L"kept.txt"}));
}

TEST_F(FakeFiles, ALargeFolderIsWalkedAndEmptiedInOnePass) {
  const std::wstring tail(110, L'n');
  const int count = 20'001;
  for (int i = 0; i < count; ++i) fs.PutFile(L"D:\\work\\" + std::to_wstring(i) + tail, "");
  int seen = 0;
  EXPECT_TRUE(fs.EachFile(L"D:\\work", [&](const std::wstring& name) {
    ++seen;
    return fs.RemoveFile(L"D:\\work\\" + name);
  }));
  EXPECT_EQ(seen, count);
  EXPECT_TRUE(fs.RemoveFolder(L"D:\\work"));
}

TEST_F(FakeFiles, OpenReadReadsAFileBackInBlocks) {
  std::string whole;
  for (int i = 0; i < 1000; ++i) whole += std::to_string(i) + ",";
  fs.PutFile(L"D:\\work\\in", whole);
  std::unique_ptr<InputFile> in = fs.OpenRead(L"D:\\work\\in");
  ASSERT_TRUE(in);
  std::string back, block;
  int blocks = 0;
  for (;;) {
    ASSERT_TRUE(in->Read(block, 1000));
    if (block.empty()) break;
    EXPECT_LE(block.size(), 1000u);
    back += block;
    ++blocks;
  }
  EXPECT_EQ(back, whole);
  EXPECT_EQ(blocks, static_cast<int>((whole.size() + 999) / 1000));
  EXPECT_TRUE(in->Read(block, 1000));
  EXPECT_TRUE(block.empty());

  fs.MakeFolders(L"D:\\work\\folder");
  EXPECT_FALSE(fs.OpenRead(L"D:\\work\\folder"));
  EXPECT_EQ(fs.LastFailure(), FsFailure::Refused);
}

}  // namespace
}  // namespace vantrel::fake
