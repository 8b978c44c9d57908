#include "app/Uninstall.h"

#include <memory>

#include "app/Installation.h"
#include "app/UninstallScripts.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "services/Environment.h"
#include "services/Paths.h"
#include "services/Quietly.h"
#include "services/ServiceUrl.h"

namespace vantrel {

namespace {

// A script is written in steps, around the questions; a file that could not
// be created takes no lines.
class ScriptFile {
 public:
  ScriptFile(const std::wstring& path, unsigned codePage)
      : codePage_(codePage), file_(Quietly(std::unique_ptr<OutputFile>(), [&] { return Os().files->Create(path); })) {}
  void Write(const std::vector<std::wstring>& lines) {
    if (file_) Quietly([&] { file_->Write(ScriptBytes(lines, codePage_)); });
  }
  void Close() {
    if (file_) Quietly([&] { file_->Close(); });
    file_.reset();
  }

 private:
  unsigned codePage_;
  std::unique_ptr<OutputFile> file_;
};

void StartHidden(const std::wstring& commandLine) {
  Quietly([&] { Os().shell->StartProcess(commandLine, true); });
}

}  // namespace

void UninstallJob() {
  if (MsgBox(LangText(L"UNINSTALL", L"R-U-SURE") + L"\r\n\r\nVantrel", mb::YesNo | mb::Exclamation) != mb::Yes) return;

  const std::wstring temp = Env().TempFolder;
  const std::wstring batchFile = temp + L"\\Uninstall.bat", regFile = temp + L"\\uninstall.reg";
  const UninstallScripts lines = BuildUninstallScripts(ThisInstallation(), Env().DataFolder, temp);
  ScriptFile batch(batchFile, Quietly(0u, [] { return Os().codec->OemCodePage(); }));
  batch.Write(lines.batchLoop);
  ScriptFile reg(regFile, Quietly(0u, [] { return Os().codec->AnsiCodePage(); }));
  reg.Write({lines.regHeader});
  if (MsgBox(LangText(L"UNINSTALL", L"WHAT-ABOUT-SETTINGS"), mb::YesNo | mb::Information) != mb::Yes) {
    reg.Write({lines.regSettings});
    batch.Write({lines.batchSettings});
  }
  reg.Write({lines.regEntry});
  reg.Close();
  // Quoted: without short names the paths may hold blanks.
  StartHidden(L"\"" + Env().FolderWindows + L"\\regedit.exe\" /S \"" + ShortPath(regFile) + L"\"");
  batch.Write(lines.batchTraces);
  batch.Close();

  MsgBox(L"Vantrel " + LangText(L"UNINSTALL", L"REMOVED"), mb::OkOnly | mb::Information);
  ServiceUrl(L"uninstall", L"", false);
  // Only now: the registry editor, started without waiting, has had the
  // time the message stood open to read the file.
  Quietly([&] { Os().files->RemoveFile(regFile); });
  StartHidden(L"\"" + batchFile + L"\"");
}

}  // namespace vantrel
