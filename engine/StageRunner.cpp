#include "engine/StageRunner.h"

#include "engine/FreeSpaceFill.h"
#include "engine/NameFiles.h"
#include "engine/StageContext.h"
#include "engine/TemplateStage.h"
#include "engine/WorkFileRemoval.h"
#include "lang/Language.h"

namespace vantrel {

void RunStage(Run& run, int stage, const DiskFacts& disk) {
  run.StageInWork = stage;
  StageContext context(run, stage, disk);
  const std::wstring step = L"STEP" + std::to_wstring(stage + 1);
  run.view.Show(RunText::Stage, LangText(L"VERSION3", step + L"-TITLE"));
  run.view.Show(RunText::StageInfo, LangText(L"VERSION3", step + L"-INFO"));
  run.SetProgress(0, 3);
  run.Yield();
  context.ShowStep(StepIcon::Current);
  if (stage == 3 || (run.DiskStatus == kCompleted && !run.StopRequested())) {
    try {
      switch (stage) {
        case 0: WriteNameFiles(context); break;
        case 1: MakeTemplateFile(context); break;
        case 2: FillFreeSpace(context); break;
        default: RemoveWorkFiles(context); break;
      }
    } catch (...) {
      // An unforeseen fault is the stage's failure: the disk is reported as
      // failed, stage 4 still removes the work files, and the run goes on.
      context.Fail();
    }
    run.SetProgress(3, 3);
    run.Yield();
  }
  run.view.Show(RunText::Remark, L"");
  const bool good = !run.StopRequested() && run.DiskStatus == kCompleted;
  context.ShowStep(good || stage == 3 ? StepIcon::Ok : StepIcon::Error);
}

}  // namespace vantrel
