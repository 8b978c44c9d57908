// Stable control ids of the main window `Start`, so that assistive tools and
// the test driver find each control by the same number in every build.
// Control arrays own a block of ids: element n of an array is its base + n.
#pragma once
#include "app/ControlIds.h"

namespace vantrel::start_ids {

using control_ids::Entry;
using control_ids::kArraySlots;

// Never renumber an entry; add new ones at the end.
inline constexpr Entry kControls[] = {
    {L"Command1", 1001, false},  {L"Command2", 1002, false},  {L"Command4", 1004, false},
    // Page 1
    {L"Label1", 1101, false},    {L"Label2", 1102, false},    {L"Label41", 1141, false},
    {L"Label12", 1112, false},   {L"Check7", 1207, false},
    // Page 2
    {L"Label3", 1103, false},    {L"Label5", 1105, false},    {L"Label29", 1129, false},
    {L"Label22", 1122, false},   {L"Check9", 1209, false},    {L"ListView1", 1301, false},
    {L"IconOK", 1401, false},    {L"IconOKgray", 1402, false}, {L"IconPAUSE", 1403, false},
    {L"IconPEND", 1404, false},  {L"IconERROR", 1405, false}, {L"IconCURR", 1406, false},
    {L"DiskHDD", 1407, false},   {L"DiskFlash", 1408, false}, {L"DiskEHDD", 1409, false},
    // Page 3
    {L"Label15", 1115, false},   {L"Option6", 1506, false},   {L"Label26", 1126, false},
    {L"Option7", 1507, false},   {L"Label27", 1127, false},   {L"Label25", 1125, false},
    {L"Label28", 1128, false},   {L"Picture1", 1601, false},  {L"Option8", 1508, false},
    {L"Option9", 1509, false},   {L"Option10", 1510, false},
    // Page 4
    {L"Label4", 1104, false},    {L"Option1", 1501, false},   {L"Option2", 1502, false},
    {L"Option3", 1503, false},   {L"Option4", 1504, false},   {L"Option5", 1505, false},
    {L"Label37", 1137, false},   {L"Label38", 1138, false},   {L"Check4", 1204, false},
    {L"Check6", 1206, false},    {L"Label7", 1107, false},    {L"Check5", 1205, false},
    {L"Label23", 1123, false},
    // Page 5
    {L"Label6", 1106, false},    {L"Label16", 1116, false},   {L"Label18", 1118, false},
    {L"Label36", 1136, false},   {L"Label20", 1120, false},   {L"Label39", 1139, false},
    {L"Label40", 1140, false},   {L"Label11", 1111, false},   {L"Label19", 1119, false},
    {L"Label34", 1134, false},   {L"Label33", 1133, false},
    // Page 6
    {L"ProgressBar1", 1302, false}, {L"Label9", 1109, false}, {L"Label10", 1110, false},
    {L"Label13", 1113, false},   {L"Label14", 1114, false},   {L"Label32", 1132, false},
    {L"Label44", 1144, false},   {L"status", 1150, false},    {L"Check1", 1201, false},
    {L"Check2", 1202, false},    {L"Check3", 1203, false},
    // Page 7
    {L"Label8", 1108, false},    {L"Label21", 1121, false},   {L"Label43", 1143, false},
    {L"Label46", 1146, false},   {L"Label24", 1124, false},
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
