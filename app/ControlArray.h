// A control array of a form, held by its name, and the one reading of a
// check box that the pages share.
#pragma once
#include <string>

#include "platform/Toolkit.h"

namespace vantrel {

class ControlArray {
 public:
  ControlArray(Form& form, std::wstring name) : form_(&form), name_(std::move(name)) {}
  Control& operator[](int index) const { return (*form_)(name_, index); }
  Control* Find(int index) const { return form_->Find(name_, index); }
  // Element `index`, made like element 0 when it is not there yet.
  Control* Get(int index) const {
    Control* c = form_->Find(name_, index);
    return c ? c : form_->Load(name_, index);
  }
  bool Unload(int index) const { return form_->Unload(name_, index); }
  // Highest index, -1 when the array is empty.
  int UBound() const { return form_->UBound(name_); }
  const std::wstring& name() const { return name_; }

 private:
  Form* form_;
  std::wstring name_;
};

// A check box counts as ticked only with the value 1.
inline bool Ticked(const Control& box) { return box.Value() == 1; }

}  // namespace vantrel
