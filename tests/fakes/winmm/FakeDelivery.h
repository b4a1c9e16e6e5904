#pragma once
#include <windows.h>

// Input of one scripted device, delivered as its driver would deliver it.
// A test posts one of these registered messages to the program's window
// (FakeWinmmControl does), with the device's index in the script in wParam
// and, for a short message, the message in lParam. The program's
// GetMessageA loop takes it through the library's patched import, which
// turns it into what the port of that device sends: MM_MIM_DATA with the
// port's handle, or a system-exclusive message that fills the port's oldest
// queued buffer and returns it (MM_MIM_LONGDATA). Only the live port of
// that device gets it; the other devices' ports get nothing.
constexpr char kFakeShortMessageRequest[] = "SorbelquintaroFakeWinmmShortMessage";
constexpr char kFakeSysExRequest[] = "SorbelquintaroFakeWinmmSysEx";

// Rewrites a taken message in place when it is such a request.
void TranslateFakeDelivery(MSG* msg);
