#pragma once
#include <string>
#include <vector>

struct TimedCall {
    std::string name;
    double ms;
};

// The multimedia calls with which the program's window thread lists the
// MIDI-IN devices and opens one (for each device: its name, then open with
// delivery to a window, start, close), made here against the platform's own
// library and timed one by one: the window's thread, MIDI input and all,
// waits for each of them.
std::vector<TimedCall> TimeMidiInCalls();
