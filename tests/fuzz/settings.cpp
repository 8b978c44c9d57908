// Settings as anyone with the registry editor may leave them: the choices the
// window starts with, and the time estimate made from the stored figures.
#include "app/ChoicesModel.h"
#include "engine/Estimate.h"
#include "tests/fuzz/FuzzMachine.h"

void vantrel::test::Fuzz(const std::string& input) {
  FuzzMachine m;
  const auto texts = Pieces(input, 6, '\n');
  m.Store(L"SecurityWay", L"Value", Wide(texts[0]));
  m.Store(L"NTFSMODE", L"VALUE", Wide(texts[1]));
  m.Store(L"SecurityMethod", L"Value", Wide(texts[2]));
  m.Store(L"FolderNames", L"Value", Wide(texts[3]));
  ChoicesModel choices;
  choices.Load();
  const RunPlan plan = choices.Plan({L"C"});
  m.Store(L"Statistics", ThroughputKey(7, plan.cleaning, plan.ntfs).c_str(), Wide(texts[4]));
  m.Store(L"Statistics", L"Disk7-foldernames", Wide(texts[5]));
  EstimateText(plan, {L"C", L"NTFS", false, 0, 3'600'000, L"", 7});
}
