#include "platform/IniText.h"

#include <cstdint>
#include <string_view>

namespace vantrel {

namespace {

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string Unquote(const std::string& v) {
  if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
    return v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

void EachIniLine(const std::string& bytes, const std::function<bool(const IniLine&)>& each) {
  // A UTF-8 mark in front would hide the first section header.
  std::size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (start < bytes.size()) {
    auto end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string_view text(bytes.data() + start, end - start);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    IniLine line;
    line.text = text;
    const std::string_view t = Trim(text);
    const auto close = t.rfind(']');
    // A "[" without its "]" opens no section: the line is a key like others.
    if (!t.empty() && t[0] == '[' && close != std::string_view::npos) {
      line.isSection = true;
      line.name = Trim(t.substr(1, close - 1));
    } else {
      const auto eq = t.find('=');
      line.name = Trim(t.substr(0, eq));
      if (eq != std::string_view::npos) line.value = Trim(t.substr(eq + 1));
    }
    if (!each(line)) return;
    start = end + 1;
  }
}

std::vector<IniLine> ParseIniLines(const std::string& bytes) {
  std::vector<IniLine> lines;
  EachIniLine(bytes, [&](const IniLine& line) {
    lines.push_back(line);
    return true;
  });
  return lines;
}

bool SameIniName(const std::string& fileName, const std::wstring& name) {
  if (fileName.size() != name.size()) return false;
  for (std::size_t i = 0; i < fileName.size(); ++i) {
    auto x = static_cast<unsigned char>(fileName[i]);
    auto y = static_cast<uint32_t>(name[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = y - 'A' + 'a';
    if (x != y) return false;
  }
  return true;
}

std::string FindIniValue(const std::string& bytes, const std::wstring& section,
                         const std::wstring& key, std::size_t capacity) {
  if (capacity == 0) return {};
  bool inSection = false;
  std::string found;
  // Line by line, ending at the value: a lookup does not take apart the rest
  // of a long file.
  EachIniLine(bytes, [&](const IniLine& line) {
    if (line.isSection) {
      // Only the first section of a name counts; a later one of the same
      // name is not searched.
      if (inSection) return false;
      inSection = SameIniName(line.name, section);
    } else if (inSection && !line.name.empty() && SameIniName(line.name, key)) {
      found = Unquote(line.value);
      if (found.size() > capacity - 1) found.resize(capacity - 1);
      return false;
    }
    return true;
  });
  return found;
}

}  // namespace vantrel
