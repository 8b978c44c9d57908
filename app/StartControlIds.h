// Stable control ids of the main window `Start`, so that assistive tools and
// the test driver find each control by the same number in every build, and
// the language-file text each control shows. Control arrays own a block of
// ids: element n of an array is its base + n.
#pragma once
#include "app/ControlIds.h"

namespace vantrel::start_ids {

using control_ids::Entry;
using control_ids::kArraySlots;

inline constexpr std::wstring_view kInterface = L"INTERFACE", kVersion3 = L"VERSION3";

// Never renumber an entry; add new ones at the end.
inline constexpr Entry kControls[] = {
    {L"Command1", 1001, false, kInterface, L"COMMAND1"},
    {L"Command2", 1002, false, kInterface, L"COMMAND2"},
    {L"Command4", 1004, false, kInterface, L"COMMAND4"},
    // Page 1
    {L"Label1", 1101, false, kInterface, L"LABEL1"},
    {L"Label2", 1102, false, kInterface, L"LABEL2"},
    {L"Label41", 1141, false, kInterface, L"LABEL41"},
    {L"Label12", 1112, false},  // the language's own name
    {L"Check7", 1207, false, kVersion3, L"DONTSHOWINTHEFUTURE"},
    // Page 2
    {L"Label3", 1103, false, kInterface, L"LABEL3"},
    {L"Label5", 1105, false, kInterface, L"LABEL5"},
    {L"Label29", 1129, false, kVersion3, L"STATISTICS"},
    {L"Label22", 1122, false, kVersion3, L"CLEAR-STATS"},
    {L"Check9", 1209, false, kVersion3, L"SHOW-GOOD-ONLY"},
    {L"ListView1", 1301, false},
    {L"IconOK", 1401, false},    {L"IconOKgray", 1402, false}, {L"IconPAUSE", 1403, false},
    {L"IconPEND", 1404, false},  {L"IconERROR", 1405, false},  {L"IconCURR", 1406, false},
    {L"DiskHDD", 1407, false},   {L"DiskFlash", 1408, false},  {L"DiskEHDD", 1409, false},
    // Page 3
    {L"Label15", 1115, false, kVersion3, L"WHICHMODE"},
    {L"Option6", 1506, false, kVersion3, L"MODE1"},
    {L"Label26", 1126, false, kVersion3, L"MODE1-INFO"},
    {L"Option7", 1507, false, kVersion3, L"MODE2"},
    {L"Label27", 1127, false, kVersion3, L"MODE2-INFO"},
    {L"Label25", 1125, false, kVersion3, L"NTFS-MODE"},
    {L"Label28", 1128, false, kVersion3, L"NTFS-MODE-INFO"},
    {L"Picture1", 1601, false},
    {L"Option8", 1508, false, kVersion3, L"NTFS-MODE-1"},
    {L"Option9", 1509, false, kVersion3, L"NTFS-MODE-2"},
    {L"Option10", 1510, false, kVersion3, L"NTFS-MODE-3"},
    // Page 4
    {L"Label4", 1104, false, kInterface, L"LABEL4"},
    {L"Option1", 1501, false, kInterface, L"OPTION1"},
    {L"Option2", 1502, false, kInterface, L"OPTION2"},
    {L"Option3", 1503, false, kInterface, L"OPTION3"},
    {L"Option4", 1504, false, kInterface, L"OPTION4"},
    {L"Option5", 1505, false, kInterface, L"OPTION5"},
    {L"Label37", 1137, false, kInterface, L"LABEL37"},
    {L"Label38", 1138, false, kInterface, L"LABEL38"},
    {L"Check4", 1204, false, kInterface, L"CHECK4"},
    {L"Check6", 1206, false, kInterface, L"CHECK6"},
    {L"Label7", 1107, false, kInterface, L"LABEL7"},
    {L"Check5", 1205, false, kInterface, L"CHECK5"},
    {L"Check10", 1210, false, kVersion3, L"FOLDER-NAMES"},
    {L"Label23", 1123, false, kInterface, L"COMMAND5"},
    // Page 5
    {L"Label6", 1106, false, kInterface, L"LABEL6"},
    {L"Label16", 1116, false, kInterface, L"LABEL16"},
    {L"Label18", 1118, false},
    {L"Label36", 1136, false, kInterface, L"LABEL36"},
    {L"Label20", 1120, false},
    {L"Label39", 1139, false, kInterface, L"LABEL39"},
    {L"Label40", 1140, false},
    {L"Label11", 1111, false, kVersion3, L"NTFS-MODE-REVIEW"},
    {L"Label19", 1119, false},
    {L"Label34", 1134, false, kInterface, L"LABEL34"},
    {L"Label33", 1133, false, kVersion3, L"AVOID-CONFLICTS"},
    // Page 6
    {L"ProgressBar1", 1302, false},
    {L"Label9", 1109, false},    {L"Label10", 1110, false},    {L"Label13", 1113, false},
    {L"Label14", 1114, false},   {L"Label32", 1132, false},    {L"Label44", 1144, false},
    {L"status", 1150, false},
    {L"Check1", 1201, false, kInterface, L"CHECK1"},
    {L"Check2", 1202, false, kInterface, L"PAUSE"},
    {L"Check3", 1203, false, kInterface, L"CHECK3"},
    // Page 7
    {L"Label8", 1108, false, kInterface, L"LABEL8"},
    {L"Label21", 1121, false},
    {L"Label43", 1143, false, kInterface, L"COMMAND7"},
    {L"Label46", 1146, false, kInterface, L"LABEL46"},
    // No text of its own in the language files: the name of the site's
    // shortcut says the same in every language.
    {L"Label24", 1124, false, L"SHORTCUTS", L"TOSITE"},
    // Arrays
    {L"win", 2000, true},        {L"DiskSelect", 2100, true}, {L"DiskImage", 2200, true},
    {L"DiskImageSel", 2300, true}, {L"DiskLabel", 2400, true}, {L"StepImage", 2500, true},
    {L"StepInfo", 2600, true},   {L"ReportImage", 2700, true}, {L"ReportDisk", 2800, true},
    {L"ReportInfo", 2900, true},
    // Page 2, added later
    {L"Line1", 1701, false},
};

// The id of a control, or of element `index` of an array.
constexpr std::optional<int> Find(std::wstring_view name, int index = 0) {
  return control_ids::FindIn(kControls, name, index);
}

}  // namespace vantrel::start_ids
