// How the system's INI reader finds a value in a file's bytes. The real
// platform reads INI files through these rules instead of the system's
// reader, because that reader converts the bytes through the system's code
// page and back, which changes or drops bytes that are no character there
// (a lone lead byte on a double-byte system); the fake shares them so the
// two cannot drift apart.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace vantrel {

struct IniLine {
  std::string text;  // the whole line without its line break
  bool isSection = false;
  std::string name;   // section name, or key name (blanks trimmed)
  std::string value;  // blanks trimmed, quotes kept
};

// Hands the lines to `each` in turn until it returns false.
void EachIniLine(const std::string& bytes, const std::function<bool(const IniLine&)>& each);
std::vector<IniLine> ParseIniLines(const std::string& bytes);

// Names match without regard to the case of ASCII letters; names are ASCII.
bool SameIniName(const std::string& fileName, const std::wstring& name);

// The value of the first matching key in the first section of the name, with
// one pair of enclosing quotes removed and cut to capacity - 1 bytes; empty
// text when absent.
std::string FindIniValue(const std::string& bytes, const std::wstring& section,
                         const std::wstring& key, std::size_t capacity);

}  // namespace vantrel
