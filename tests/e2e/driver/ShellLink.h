// Reading a shortcut file back through the shell's link interface, as
// Explorer does when the user opens it.
#pragma once
#include <string>

namespace vdriver {

struct LinkFields {
  std::wstring target;
  std::wstring arguments;
  std::wstring workingFolder;
  std::wstring description;
};

// Fails with the shell's code when the file cannot be loaded as a link.
LinkFields ReadShellLink(const std::wstring& file);

}  // namespace vdriver
