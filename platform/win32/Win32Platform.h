// The real platform: every interface implemented with the Win32 API. This
// header itself stays free of <windows.h> so that tests can hold the parts.
#pragma once
#include <random>

#include "platform/Platform.h"

namespace vantrel::win32 {

class Win32Registry : public Registry {
 public:
  std::optional<RegValue> Query(Hive hive, const std::wstring& key, const std::wstring& name) override;
  bool CreateKey(Hive hive, const std::wstring& key) override;
  bool SetValue(Hive hive, const std::wstring& key, const std::wstring& name,
                const RegValue& value) override;
  bool DeleteValue(Hive hive, const std::wstring& key, const std::wstring& name) override;
  bool DeleteKey(Hive hive, const std::wstring& key) override;
};

class Win32FileSystem : public FileSystem {
 public:
  bool FileExists(const std::wstring& path) override;
  bool FolderExists(const std::wstring& path) override;
  bool CreateFolder(const std::wstring& path) override;
  bool RemoveFile(const std::wstring& path) override;
  bool RemoveFolder(const std::wstring& path) override;
  bool IsLink(const std::wstring& path) override;
  bool RemoveLink(const std::wstring& path) override;
  bool ReadAll(const std::wstring& path, std::string& bytes) override;
  bool WriteAll(const std::wstring& path, const std::string& bytes) override;
  bool AppendAll(const std::wstring& path, const std::string& bytes) override;
  std::unique_ptr<OutputFile> Create(const std::wstring& path) override;
  std::unique_ptr<OutputFile> CreateNew(const std::wstring& path) override;
  std::unique_ptr<RewriteFile> OpenRewrite(const std::wstring& path) override;
  std::unique_ptr<FolderHold> Hold(const std::wstring& folder) override;
  bool MoveReplace(const std::wstring& from, const std::wstring& to) override;
  bool Copy(const std::wstring& from, const std::wstring& to) override;
  std::vector<std::wstring> ListFiles(const std::wstring& folder) override;
  std::vector<std::wstring> ListFolders(const std::wstring& folder) override;
  std::vector<std::wstring> ListLinks(const std::wstring& folder) override;
  std::wstring ShortPathName(const std::wstring& path) override;
  std::wstring LongPathName(const std::wstring& path) override;
  std::wstring TempPath() override;
  FsFailure LastFailure() override;
  std::unique_ptr<InputFile> OpenRead(const std::wstring& path) override;
  bool EachFile(const std::wstring& folder, const std::function<bool(const std::wstring& name)>& each) override;
};

// What a system error code means to the logic: the map behind LastFailure.
FsFailure FailureOfError(unsigned long error);

class Win32ProfileFiles : public ProfileFiles {
 public:
  explicit Win32ProfileFiles(FileSystem& files) : files_(files) {}
  std::string Read(const std::wstring& section, const std::wstring& key, const std::wstring& file,
                   std::size_t capacity) override;
  bool Write(const std::wstring& section, const std::wstring& key, const std::string& value,
             const std::wstring& file) override;

 private:
  FileSystem& files_;
};

class Win32Shell : public Shell {
 public:
  SpecialFolderAnswer SpecialFolderPath(int32_t csidl) override;
  intptr_t OpenDocument(const std::wstring& file) override;
  bool StartProcess(const std::wstring& commandLine, bool hidden) override;
  bool CreateShortcut(const ShortcutFile& shortcut) override;
  bool EmptyRecycleBin() override;
};

class Win32SystemInfo : public SystemInfo {
 public:
  uint32_t MajorVersion() override;
  std::wstring LocaleCountryName() override;
  std::wstring ApplicationFolder() override;
  std::wstring ExecutableBaseName() override;
  VersionNumbers ProgramVersionNumbers() override;
  std::unique_ptr<MachineLock> TakeMachineLock(const std::wstring& name) override;
  bool MachineLockHeld(const std::wstring& name) override;
  bool ProcessIsElevated() override;
};

class Win32Clock : public Clock {
 public:
  uint64_t TickMs() override;
  void Sleep(uint32_t ms) override;
  void SeedRandomFromClock() override;
  double Random() override;
  int64_t NowSeconds() override;
  std::optional<std::wstring> FormatDateTime(int64_t localSeconds) override;
  std::optional<int64_t> ParseDate(const std::wstring& text) override;

 private:
  std::mt19937 generator_{5489u};
};

class Win32TextCodec : public TextCodec {
 public:
  unsigned AnsiCodePage() override;
  unsigned OemCodePage() override;
  std::wstring Decode(unsigned codePage, std::string_view bytes) override;
  std::string Encode(unsigned codePage, std::wstring_view text) override;
};

class Win32Drives : public Drives {
 public:
  std::vector<std::wstring> Letters() override;
  int DriveType(const std::wstring& letter) override;
  bool IsReady(const std::wstring& letter) override;
  std::optional<VolumeFacts> Volume(const std::wstring& letter) override;
  std::optional<uint64_t> TotalSize(const std::wstring& letter) override;
  std::optional<uint64_t> AvailableSpace(const std::wstring& path) override;
};

class Win32Dialogs : public Dialogs {
 public:
  int Show(const std::wstring& text, int style, const std::wstring& title) override;
};

class Win32Power : public Power {
 public:
  uint8_t MainsStatus() override;
  bool KeepSystemAwake(bool awake) override;
  void EnableShutdownPrivilege() override;
  bool EndSession(uint32_t flags) override;
};

class Win32Sound : public Sound {
 public:
  void PlayWaveFile(const std::wstring& file) override;
};

class Win32Http : public Http {
 public:
  bool Get(const HttpGet& request, std::string& body, const std::function<void()>& pump) override;
};

// All parts in one place; Install makes them the current platform.
struct Win32Platform {
  Win32Registry registry;
  Win32FileSystem files;
  Win32ProfileFiles profiles{files};
  Win32Shell shell;
  Win32SystemInfo system;
  Win32Clock clock;
  Win32TextCodec codec;
  Win32Dialogs dialogs;
  Win32Drives drives;
  Win32Power power;
  Win32Sound sound;
  Win32Http http;
  Platform Parts() {
    return {&registry, &files, &profiles, &shell, &system, &clock, &codec, &dialogs, &drives, &power, &sound, &http};
  }
  void Install() { InstallPlatform(Parts()); }
};

}  // namespace vantrel::win32
