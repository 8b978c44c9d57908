// The translators' check: which texts of the interface each language file
// still lacks, compared with the reference file English.ini.
#pragma once
#include <string>
#include <vector>

namespace vantrel {

// For every listed file but "English.ini", in list order: a header line with
// its name, one "key=English text" line per text of section "INTERFACE" that
// it lacks or leaves empty, and an empty line. The report goes to "temp.txt"
// in the data folder and opens in the browser; with no other file there is
// only a message that the interface is translated completely, and without a
// readable English.ini only a message saying so.
void CheckTranslations(const std::vector<std::wstring>& files);

}  // namespace vantrel
