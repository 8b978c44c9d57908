// Every control whose stable-id entry names a text of the language files
// shows that text.
#pragma once
#include <string>

#include "app/ControlIds.h"
#include "lang/Language.h"
#include "platform/Toolkit.h"

namespace vantrel {

template <std::size_t N>
void SetCaptionsFromLanguage(const Form& form, const control_ids::Entry (&table)[N]) {
  for (Control* control : form.Controls()) {
    const control_ids::Entry* entry = control_ids::EntryIn(table, control->name());
    if (entry && !entry->key.empty()) control->SetCaption(LangText(std::wstring(entry->section), std::wstring(entry->key)));
  }
}

}  // namespace vantrel
