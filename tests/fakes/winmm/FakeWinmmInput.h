#pragma once
#include <windows.h>

#include <string>

// What the MIDI-OUT side of the fake (FakeWinmmOut.cpp) needs of the rest:
// where the library lies, with a trailing backslash, and the input ports,
// into which an output looped back by a virtual cable delivers.
const std::string& FakeWinmmDirectory();
// Posts MM_MIM_DATA with the message to the window of the port that input
// of the device listed at that index reaches now (live, started, not
// stopped by a system-exclusive message without a buffer); false when
// there is none.
bool DeliverToInput(unsigned device, DWORD message);
