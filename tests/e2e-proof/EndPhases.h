#pragma once
#include "FakeWinmmControl.h"

#include <optional>
#include <string>
#include <vector>

// Where the time from the exit command to the end of the process went, read
// from the fake multimedia library's log of the program: its lines carry the
// performance counter's time, which the driver reads alike. Milliseconds
// after the exit command was posted.
struct EndPhases {
    double runEnded;   // the window's loop is over: the tray icon's removal begins
    double trayGone;   // the shell is done removing the icon
    double saved;      // Config.ini replaced by its new version
    double portClosed; // the MIDI-IN port closed, after the window is destroyed
    double unloaded;   // the library detached: the process is ending
    double gone;       // the process handle signalled
};

// From the log of one run; nothing when a step is not in it.
std::optional<EndPhases> ReadEndPhases(const std::vector<FakeWinmmCall>& calls, double exitPostedMs,
                                       double goneMs);
// The median of each step over several runs, as one line.
std::string EndPhasesText(const std::vector<EndPhases>& runs);
