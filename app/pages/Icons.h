// The pictures the main window's pages share, each held by a hidden image
// of the disk page: the selection and step marks and the kinds of disks.
#pragma once
#include "platform/Toolkit.h"

namespace vantrel {

struct Icons {
  Control &ok, &okGray, &paused, &pending, &error, &current, &hardDisk, &flash, &externalDisk;
};

}  // namespace vantrel
