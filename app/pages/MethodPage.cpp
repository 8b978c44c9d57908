#include "app/pages/MethodPage.h"

#include "app/ControlArray.h"
#include "lang/Language.h"
#include "platform/Platform.h"

namespace vantrel {

MethodPage::MethodPage(const MethodControls& controls, ChoicesModel& choices)
    : MethodControls(controls), choices_(choices) {
  for (int m = 1; m <= 5; ++m) {
    const auto method = static_cast<OverwriteMethod>(m);
    Option(method).onClick = [this, method] { choices_.SetMethod(method); };
  }
  emptyBin.onClick = [this] { choices_.Set(&Choices::emptyBin, Ticked(emptyBin)); };
  preventStandby.onClick = [this] { choices_.Set(&Choices::preventStandby, Ticked(preventStandby)); };
  folderNames.onClick = [this] { choices_.Set(&Choices::folderNames, Ticked(folderNames)); };
  pagingFile.onClick = [this] { PagingFileClick(); };
}

Control& MethodPage::Option(OverwriteMethod method) {
  Control* const options[] = {&randomCharacters, &spaces, &randomDigits, &gutmann, &dod};
  return *options[static_cast<int>(method) - 1];
}

void MethodPage::Draw() {
  Option(choices_->method).SetValue(1);
  emptyBin.SetValue(choices_->emptyBin ? 1 : 0);
  // Offered on every version: the run keeps any system awake, not only those
  // that still ask the windows before they suspend.
  preventStandby.SetValue(choices_->preventStandby ? 1 : 0);
  pagingFile.SetValue(choices_->pagingFile ? 1 : 0);
  folderNames.SetValue(choices_->folderNames ? 1 : 0);
}

// Only an administrator may change the system's option; anyone else's click
// springs back with the reason, so the box always shows what the system does.
void MethodPage::PagingFileClick() {
  if (choices_.SetPagingFile(Ticked(pagingFile))) return;
  MsgBox(LangText(L"ERRORS", L"RUN-AS-ADMIN"), mb::Critical);
  pagingFile.SetValue(choices_->pagingFile ? 1 : 0);
}

}  // namespace vantrel
