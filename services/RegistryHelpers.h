// Registry access by full path text ("HKEY_LOCAL_MACHINE\Key\Sub\Value").
// A path ending in a backslash names the key's default value.
#pragma once
#include <optional>
#include <string>

#include "platform/Registry.h"

namespace vantrel {

// Reads from HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER and renders the value by
// its type (numbers and binary data as "60 00 00 00 "); empty text otherwise.
std::wstring RegistryRead(const std::wstring& fullPath);
// Creates the key, then stores a string (type 1) or a 32-bit number (type 4).
// False when nothing was stored (a type it does not store included).
bool RegistryWrite(const std::wstring& keyPath, const std::wstring& valueName,
                   const std::wstring& value, int type);
// Deletes a value, or a key when the path ends in a backslash; any hive.
// False when the system did not delete it (one that is not there included).
bool RegistryDelete(const std::wstring& fullPath);

// Reading as the shell's registry reader does it, with every hive name and
// its short form; nothing when the key or value is missing.
std::optional<std::wstring> ShellRegistryRead(const std::wstring& fullPath);

std::wstring RenderRegistryValue(const RegValue& value);

}  // namespace vantrel
