#pragma once
#include "WindowActivationCalls.h"

// The top-level owner of a window: its owner's owner and so on; a window
// without owner is its own.
IWindowActivationCalls::Window TopLevelOwner(IWindowActivationCalls& calls,
                                             IWindowActivationCalls::Window window);

// Brings the window (a top-level owner) to the front: restored when
// minimised, then made foreground, active and focused. A program that is not
// in the foreground itself is usually refused the switch, so when the window
// is not in front afterwards it tries, stopping at the first that works:
// joining the foreground window's input (never that of a hung window) and
// raising it, then a tap of an unassigned key and one more foreground call.
// True when the window (or a window it owns) is in front at the end.
bool BringWindowToFront(IWindowActivationCalls& calls, IWindowActivationCalls::Window target);
