#pragma once
#include "WindowActivationCalls.h"

// Brings the window to the front: restored when
// minimised (to its maximised or normal size, without waiting for it), then
// made foreground, active and focused. A program that is not in the
// foreground itself is usually refused the switch, so when the window is not
// in front afterwards it tries, stopping at the first that works: a tap of an
// unassigned key and one more foreground call, then joining the foreground
// window's input and raising it, where both windows answer at once.
// True when the window (or a window it owns) is in front at the end.
bool BringWindowToFront(IWindowActivationCalls& calls, IWindowActivationCalls::Window target);
