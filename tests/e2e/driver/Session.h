// The end of the user's session (log off, shut down) as Windows tells a
// program of it: first a question whether it may end, then the outcome.
#pragma once
#include "platform/win32/WinApi.h"

namespace vdriver {

// Asks the window whether the session may end for a log-off and returns its
// answer (nonzero: agreed), then tells it the outcome as Windows does: the
// session ends only when the program agreed, and not at all when
// `cancelled` (another program refused). Fails when the question is not
// answered within the given time.
LRESULT EndSession(HWND window, double seconds, bool cancelled);

}  // namespace vdriver
