// Typed handles to the controls of the main window, filled once as the
// layout creates them: the code names a control by a member, so a wrong name
// is a build error rather than a step that fails at run time.
#pragma once
#include <string>

#include "platform/Toolkit.h"

namespace vantrel {

// A control array of the form, by its name.
class ControlArray {
 public:
  ControlArray(Form& form, std::wstring name) : form_(form), name_(std::move(name)) {}
  Control& operator[](int index) const { return form_(name_, index); }
  Control* Find(int index) const { return form_.Find(name_, index); }
  Control* Load(int index) const { return form_.Load(name_, index); }
  bool Unload(int index) const { return form_.Unload(name_, index); }
  // Highest index, -1 when the array is empty.
  int UBound() const { return form_.UBound(name_); }
  const std::wstring& name() const { return name_; }

 private:
  Form& form_;
  std::wstring name_;
};

struct StartControls {
  explicit StartControls(Form& form)
      : win(form, L"win"),
        DiskSelect(form, L"DiskSelect"),
        DiskImage(form, L"DiskImage"),
        DiskImageSel(form, L"DiskImageSel"),
        DiskLabel(form, L"DiskLabel"),
        StepImage(form, L"StepImage"),
        StepInfo(form, L"StepInfo"),
        ReportImage(form, L"ReportImage"),
        ReportDisk(form, L"ReportDisk"),
        ReportInfo(form, L"ReportInfo") {}

  // Buttons of the window itself.
  Control *Command1 = nullptr, *Command2 = nullptr, *Command4 = nullptr;
  // Page 1: welcome.
  Control *Label1 = nullptr, *Label2 = nullptr, *Label41 = nullptr, *Label12 = nullptr, *Check7 = nullptr;
  // Page 2: disks and run history; the picture holders of the icons.
  Control *Label3 = nullptr, *Label5 = nullptr, *Label29 = nullptr, *Label22 = nullptr, *Check9 = nullptr,
          *ListView1 = nullptr, *Line1 = nullptr;
  Control *IconOK = nullptr, *IconOKgray = nullptr, *IconPAUSE = nullptr, *IconPEND = nullptr, *IconERROR = nullptr,
          *IconCURR = nullptr, *DiskHDD = nullptr, *DiskFlash = nullptr, *DiskEHDD = nullptr;
  // Page 3: cleaning mode and metadata mode.
  Control *Label15 = nullptr, *Option6 = nullptr, *Label26 = nullptr, *Option7 = nullptr, *Label27 = nullptr,
          *Label25 = nullptr, *Label28 = nullptr, *Picture1 = nullptr, *Option8 = nullptr, *Option9 = nullptr,
          *Option10 = nullptr;
  // Page 4: overwrite method and extras.
  Control *Label4 = nullptr, *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr, *Option4 = nullptr,
          *Option5 = nullptr, *Label37 = nullptr, *Label38 = nullptr, *Check4 = nullptr, *Check6 = nullptr,
          *Label7 = nullptr, *Check5 = nullptr, *Label23 = nullptr;
  // Page 5: review.
  Control *Label6 = nullptr, *Label16 = nullptr, *Label18 = nullptr, *Label36 = nullptr, *Label20 = nullptr,
          *Label39 = nullptr, *Label40 = nullptr, *Label11 = nullptr, *Label19 = nullptr, *Label34 = nullptr,
          *Label33 = nullptr;
  // Page 6: the run.
  Control *ProgressBar1 = nullptr, *Label9 = nullptr, *Label10 = nullptr, *Label13 = nullptr, *Label14 = nullptr,
          *Label32 = nullptr, *Label44 = nullptr, *status = nullptr, *Check1 = nullptr, *Check2 = nullptr,
          *Check3 = nullptr;
  // Page 7: finished.
  Control *Label8 = nullptr, *Label21 = nullptr, *Label43 = nullptr, *Label46 = nullptr, *Label24 = nullptr;

  ControlArray win, DiskSelect, DiskImage, DiskImageSel, DiskLabel, StepImage, StepInfo, ReportImage, ReportDisk,
      ReportInfo;

  Timer *worknow = nullptr, *DiskListRefresher = nullptr, *PlayWAV = nullptr, *turnoff = nullptr;
};

}  // namespace vantrel
