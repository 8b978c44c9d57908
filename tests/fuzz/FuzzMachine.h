// The machine every fuzz target starts from: the program installed as it
// ships (the real English file, the background picture) on fake disks, its
// environment and language set up, new for each input so that no input sees
// what another one left. A target (its `Fuzz`) puts the input where the
// program finds such bytes and lets the program read them; a promise the
// program breaks on the way stops the fuzzer.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "lang/Language.h"
#include "services/Environment.h"
#include "services/Settings.h"
#include "tests/unit/FakeMachine.h"

namespace vantrel::test {

inline void Require(bool holds) {
  if (!holds) std::abort();
}

// What a target does with one input.
void Fuzz(const std::string& input);

inline const std::wstring kDataFolder = L"C:\\Users\\test\\AppData\\Roaming\\VNL";

inline std::string SourceFile(const char* relative) {
  std::ifstream in(std::string(VANTREL_SOURCE_DIR) + "/" + relative, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct FuzzMachine : FakeMachine {
  FuzzMachine() {
    static const std::string english = SourceFile("dist/Languages/English.ini");
    PutLanguage(L"English", english);
    files.PutFile(kAppFolder + L"\\program-back.jpg", "jpeg");
    files.MakeFolders(L"C:\\Users\\test\\AppData\\Roaming");
    system.majorVersion = 10;
    drives.Plug({L"C"});
    Browser();
    InitEnvironment();
    Require(InitLanguage());
  }
  void Data(const wchar_t* name, const std::string& bytes) { files.PutFile(kDataFolder + L"\\" + name, bytes); }
  std::string Data(const wchar_t* name) const { return files.Contents(kDataFolder + L"\\" + name); }
  void Store(const wchar_t* section, const wchar_t* key, const std::wstring& value) {
    WriteSetting(kProgramSettings, section, key, value);
  }
};

// The input cut at each `cut` byte into `count` pieces, the last one taking
// the rest; missing pieces are empty.
inline std::vector<std::string> Pieces(const std::string& input, std::size_t count, char cut = 0) {
  std::vector<std::string> pieces(count);
  std::size_t i = 0;
  for (char c : input) {
    if (c == cut && i + 1 < count) ++i;
    else pieces[i] += c;
  }
  return pieces;
}

// Bytes taken two at a time as UTF-16 units, as a registry value or the
// command line hands text over: any unit, lone surrogates included.
inline std::wstring Wide(const std::string& bytes) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
  return text;
}

}  // namespace vantrel::test

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vantrel::test::Fuzz(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
