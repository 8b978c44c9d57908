#include "platform/fake/FakeProfileFiles.h"

#include <vector>

namespace vantrel::fake {

namespace {

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto x = static_cast<unsigned char>(a[i]);
    auto y = static_cast<uint32_t>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = y - 'A' + 'a';
    if (x != y) return false;
  }
  return true;
}

std::string Narrow(const std::wstring& s) {
  std::string out;
  for (wchar_t c : s) out.push_back(static_cast<uint32_t>(c) < 128 ? static_cast<char>(c) : '?');
  return out;
}

struct Line {
  std::string text;
  bool isSection = false;
  std::string name;  // section name, or key name
  std::string value;
};

std::vector<Line> Parse(const std::string& bytes) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    auto end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    Line line;
    line.text = bytes.substr(start, end - start);
    if (!line.text.empty() && line.text.back() == '\r') line.text.pop_back();
    const std::string t = Trim(line.text);
    if (!t.empty() && t[0] == '[') {
      line.isSection = true;
      const auto close = t.find(']');
      line.name = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    } else {
      const auto eq = t.find('=');
      line.name = Trim(t.substr(0, eq));
      if (eq != std::string::npos) line.value = Trim(t.substr(eq + 1));
    }
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

Line Plain(const std::string& text) {
  Line line;
  line.text = text;
  return line;
}

std::string Unquote(const std::string& v) {
  if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
    return v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

std::string FakeProfileFiles::Read(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& file, std::size_t capacity) {
  std::string bytes;
  if (capacity == 0 || !files_.ReadAll(file, bytes)) return {};
  bool inSection = false;
  for (const Line& line : Parse(bytes)) {
    if (line.isSection) {
      inSection = SameName(line.name, section);
    } else if (inSection && !line.name.empty() && SameName(line.name, key)) {
      std::string v = Unquote(line.value);
      if (v.size() > capacity - 1) v.resize(capacity - 1);
      return v;
    }
  }
  return {};
}

bool FakeProfileFiles::Write(const std::wstring& section, const std::wstring& key,
                             const std::string& value, const std::wstring& file) {
  std::string bytes;
  if (files_.FileExists(file) && !files_.ReadAll(file, bytes)) return false;
  std::vector<Line> lines = Parse(bytes);
  const std::string entry = Narrow(key) + "=" + value;
  int sectionAt = -1;
  int lastInSection = -1;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    if (lines[i].isSection) {
      if (sectionAt >= 0) break;
      if (SameName(lines[i].name, section)) sectionAt = lastInSection = i;
    } else if (sectionAt >= 0) {
      if (SameName(lines[i].name, key)) {
        lines[i].text = entry;
        lastInSection = -2;
        break;
      }
      if (!Trim(lines[i].text).empty()) lastInSection = i;
    }
  }
  if (sectionAt < 0) {
    lines.push_back(Plain("[" + Narrow(section) + "]"));
    lines.push_back(Plain(entry));
  } else if (lastInSection >= 0) {
    lines.insert(lines.begin() + lastInSection + 1, Plain(entry));
  }
  std::string out;
  for (const Line& l : lines) out += l.text + "\r\n";
  return files_.WriteAll(file, out);
}

}  // namespace vantrel::fake
