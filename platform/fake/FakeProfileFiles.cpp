#include "platform/fake/FakeProfileFiles.h"

#include <vector>

#include "platform/IniText.h"

namespace vantrel::fake {

namespace {

std::string Narrow(const std::wstring& s) {
  std::string out;
  for (wchar_t c : s) out.push_back(static_cast<uint32_t>(c) < 128 ? static_cast<char>(c) : '?');
  return out;
}

IniLine Plain(const std::string& text) {
  IniLine line;
  line.text = text;
  return line;
}

}  // namespace

std::string FakeProfileFiles::Read(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& file, std::size_t capacity) {
  std::string bytes;
  if (capacity == 0 || !files_.ReadAll(file, bytes)) return {};
  return FindIniValue(bytes, section, key, capacity);
}

bool FakeProfileFiles::Write(const std::wstring& section, const std::wstring& key,
                             const std::string& value, const std::wstring& file) {
  std::string bytes;
  if (files_.FileExists(file) && !files_.ReadAll(file, bytes)) return false;
  std::vector<IniLine> lines = ParseIniLines(bytes);
  const std::string entry = Narrow(key) + "=" + value;
  int sectionAt = -1;
  int lastInSection = -1;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    if (lines[i].isSection) {
      if (sectionAt >= 0) break;
      if (SameIniName(lines[i].name, section)) sectionAt = lastInSection = i;
    } else if (sectionAt >= 0) {
      if (SameIniName(lines[i].name, key)) {
        lines[i].text = entry;
        lastInSection = -2;
        break;
      }
      if (lines[i].text.find_first_not_of(" \t") != std::string::npos) lastInSection = i;
    }
  }
  if (sectionAt < 0) {
    lines.push_back(Plain("[" + Narrow(section) + "]"));
    lines.push_back(Plain(entry));
  } else if (lastInSection >= 0) {
    lines.insert(lines.begin() + lastInSection + 1, Plain(entry));
  }
  std::string out;
  for (const IniLine& l : lines) out += l.text + "\r\n";
  return files_.WriteAll(file, out);
}

}  // namespace vantrel::fake
