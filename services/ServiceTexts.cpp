#include "services/ServiceTexts.h"

namespace vantrel {

namespace {
TextLookup g_lookup;
}  // namespace

void SetServiceTexts(TextLookup lookup) { g_lookup = std::move(lookup); }

std::wstring ServiceText(const std::wstring& section, const std::wstring& key) {
  return g_lookup ? g_lookup(section, key) : key;
}

}  // namespace vantrel
