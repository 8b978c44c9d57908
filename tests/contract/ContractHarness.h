// Shared by the platform contract tests: they run against the real Win32
// platform inside a throw-away Wine prefix; only message boxes are recorded
// instead of shown.
#pragma once
#include <string>

#include "platform/fake/FakeDialogs.h"

namespace vantrel::contract {

fake::FakeDialogs& Messages();
// A new empty folder under the temporary folder, unique to the calling test.
std::wstring ScratchFolder();

}  // namespace vantrel::contract
