// What a run is to do, fixed by the wizard when the run starts: the engine
// reads nothing else of the user's choices.
#pragma once
#include <string>
#include <vector>

namespace vantrel {

// The overwrite method; the numbers are the ones the settings store keeps.
enum class OverwriteMethod { RandomCharacters = 1, Spaces = 2, RandomDigits = 3, Gutmann = 4, Dod522022 = 5 };
// 1: only the file-name records; 2: the whole free space as well.
enum class CleaningMode { FileRecords = 1, FreeSpace = 2 };
// How many name files a disk gets at most: 20,000, 70,000 or 150,000.
enum class NtfsMode { Normal = 1, Thorough = 2, Deepest = 3 };

struct RunPlan {
  std::vector<std::wstring> letters;  // the selected drives, one letter each, in panel order
  CleaningMode cleaning = CleaningMode::FileRecords;
  NtfsMode ntfs = NtfsMode::Normal;
  OverwriteMethod method = OverwriteMethod::Spaces;
  bool emptyRecycleBin = false;
  // Rewrites the indexes of the disk's folders, where deleted names stay.
  bool rewriteFolderNames = false;
  bool preventStandby = false;
};

}  // namespace vantrel
