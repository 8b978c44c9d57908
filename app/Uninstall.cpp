#include "app/Uninstall.h"

#include <memory>

#include "app/Installation.h"
#include "app/UninstallScripts.h"
#include "lang/Language.h"
#include "maker/ServiceUrl.h"
#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/IgnoringFailures.h"

namespace vantrel {

namespace {

// A script is written in steps, around the questions. One that did not get
// every line is never run: cut short (a full disk), a line such as
// rmdir /S /Q "C:\Program Files\Vantrel 3" may end as rmdir /S /Q "C:\ and
// would take the whole drive with it.
class ScriptFile {
 public:
  ScriptFile(const std::wstring& path, unsigned codePage)
      : codePage_(codePage),
        file_(IgnoringFailures(std::unique_ptr<OutputFile>(), [&] { return Os().files->Create(path); })) {
    whole_ = file_ != nullptr;
  }
  void Write(const std::vector<std::wstring>& lines) {
    if (file_) whole_ = IgnoringFailures(false, [&] { return file_->Write(ScriptBytes(lines, codePage_)); }) && whole_;
  }
  void Close() {
    if (file_) whole_ = IgnoringFailures(false, [&] { return file_->Close(); }) && whole_;
    file_.reset();
  }
  // Created, and every write and the close succeeded.
  bool Whole() const { return whole_; }

 private:
  unsigned codePage_;
  std::unique_ptr<OutputFile> file_;
  bool whole_ = false;
};

bool StartHidden(const std::wstring& commandLine) {
  return IgnoringFailures(false, [&] { return Os().shell->StartProcess(commandLine, true); });
}

void RemoveQuietly(const std::wstring& file) {
  IgnoringFailures([&] { Os().files->RemoveFile(file); });
}

}  // namespace

// Both scripts are written whole before either runs: the registry script
// takes the entry out of the list of installed programs, which must not
// happen to a program whose files then stay for want of a batch.
void UninstallJob() {
  // The program asks for no rights of its own, and the list of installed
  // programs starts it as it is: without administrator rights neither the
  // entry nor the common shortcuts could go, so nothing is tried.
  if (!Env().IsAdmin) {
    MsgBox(LangText(L"UNINSTALL", L"NEEDS-ADMIN"), mb::OkOnly | mb::Exclamation);
    return;
  }
  if (MsgBox(LangText(L"UNINSTALL", L"R-U-SURE") + L"\r\n\r\nVantrel", mb::YesNo | mb::Exclamation) != mb::Yes) return;

  const std::wstring temp = Env().TempFolder;
  const std::wstring batchFile = temp + L"\\Uninstall.bat", regFile = temp + L"\\uninstall.reg";
  const Installation at = ThisInstallation();
  const UninstallScripts lines = BuildUninstallScripts(at, Env().DataFolder, temp, AppFolderIsItsOwn(at));
  ScriptFile batch(batchFile, IgnoringFailures(0u, [] { return Os().codec->OemCodePage(); }));
  batch.Write(lines.batchLoop);
  ScriptFile reg(regFile, IgnoringFailures(0u, [] { return Os().codec->AnsiCodePage(); }));
  reg.Write({lines.regHeader});
  if (MsgBox(LangText(L"UNINSTALL", L"WHAT-ABOUT-SETTINGS"), mb::YesNo | mb::Information) != mb::Yes) {
    reg.Write({lines.regSettings});
    batch.Write({lines.batchSettings});
  }
  reg.Write({lines.regEntry});
  reg.Close();
  batch.Write(lines.batchTraces);
  batch.Close();

  // Quoted and in its long form: without short names the path may hold
  // blanks, and a short name that cannot be had would leave no path at all.
  if (!reg.Whole() || !batch.Whole() ||
      !StartHidden(L"\"" + Env().FolderWindows + L"\\regedit.exe\" /S \"" + regFile + L"\"")) {
    RemoveQuietly(regFile);
    RemoveQuietly(batchFile);
    MsgBox(LangText(L"UNINSTALL", L"NOT-REMOVED"), mb::OkOnly | mb::Exclamation);
    return;
  }
  MsgBox(L"Vantrel " + LangText(L"UNINSTALL", L"REMOVED"), mb::OkOnly | mb::Information);
  ServiceUrl(L"uninstall", L"", false);
  // Only now: the registry editor, started without waiting, has had the
  // time the message stood open to read the file.
  RemoveQuietly(regFile);
  StartHidden(L"\"" + batchFile + L"\"");
}

}  // namespace vantrel
