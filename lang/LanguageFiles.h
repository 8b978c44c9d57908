// The language files installed beside the program.
#pragma once
#include <string>
#include <vector>

namespace vantrel {

// The names of the "*.ini" files in the language folder, sorted without
// regard to case as a file list box shows them, whatever order the disk
// keeps. Empty when the folder cannot be read.
std::vector<std::wstring> LanguageFiles();

// Language names match without regard to case, as file names do.
bool SameLanguageName(const std::wstring& a, const std::wstring& b);

}  // namespace vantrel
