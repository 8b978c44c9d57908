#include "app/pages/ReviewPage.h"

#include "lang/Language.h"

namespace vantrel {

namespace {
// The texts the options of the mode and method pages show.
std::wstring Text(const wchar_t* section, const std::wstring& prefix, int code) {
  return LangText(section, prefix + std::to_wstring(code));
}
}  // namespace

// Quick cleaning overwrites no free space, whatever method is chosen; an
// unknown stored mode shows neither an action nor a mode.
void ReviewPage::Fill(const std::vector<std::wstring>& letters, const Choices& choices) {
  std::wstring joined;
  for (const std::wstring& letter : letters) joined += letter;
  disks.SetCaption(joined);
  bin.SetCaption(LangText(L"INTERFACE", choices.emptyBin ? L"YES" : L"NO"));
  std::wstring overwrite, modes;
  if (choices.cleaning) {
    const bool full = *choices.cleaning == CleaningMode::FreeSpace;
    overwrite = full ? Text(L"INTERFACE", L"OPTION", static_cast<int>(choices.method)) : LangText(L"INTERFACE", L"NO");
    modes = Text(L"VERSION3", L"MODE", static_cast<int>(*choices.cleaning));
  }
  if (choices.ntfs) modes += L", FAT/NTFS: " + Text(L"VERSION3", L"NTFS-MODE-", static_cast<int>(*choices.ntfs));
  if (choices.folderNames) modes += L", " + LangText(L"VERSION3", L"FOLDER-NAMES");
  action.SetCaption(overwrite);
  mode.SetCaption(modes);
}

}  // namespace vantrel
