// Every fake in one place, installed as the current platform for its lifetime.
#pragma once
#include "platform/Platform.h"
#include "platform/fake/FakeDialogs.h"
#include "platform/fake/FakeDrives.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeHttp.h"
#include "platform/fake/FakePower.h"
#include "platform/fake/FakeProfileFiles.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSystem.h"
#include "platform/fake/FakeTextCodec.h"
#include "platform/fake/FakeToolkit.h"

namespace vantrel::fake {

class FakePlatform {
 public:
  FakePlatform() {
    InstallPlatform({&registry, &files, &profiles, &shell, &system, &clock, &codec, &dialogs, &drives, &power, &sound, &http});
    InstallToolkit(&toolkit);
    files.faults.clockMs = &clock.now;
  }
  ~FakePlatform() {
    InstallPlatform({});
    InstallToolkit(nullptr);
  }
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;

  FakeRegistry registry;
  FakeFileSystem files;
  FakeProfileFiles profiles{files};
  FakeShell shell{files};
  FakeSystemInfo system;
  FakeClock clock;
  FakeTextCodec codec;
  FakeDialogs dialogs;
  FakeDrives drives{&files};
  FakePower power;
  FakeSound sound;
  FakeHttp http;
  FakeToolkit toolkit{clock, files};
};

}  // namespace vantrel::fake
