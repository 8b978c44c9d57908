#include "services/ErrorReport.h"

namespace vantrel {

void OfferErrorReport() {}

}  // namespace vantrel
