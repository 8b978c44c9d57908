#include "lang/LanguageState.h"

namespace vantrel {

LanguageState& Lang() {
  static LanguageState state;
  return state;
}

}  // namespace vantrel
