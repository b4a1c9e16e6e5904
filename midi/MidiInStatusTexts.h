#pragma once
#include "MidiInReconnector.h"

#include <optional>
#include <string>

// What the tray icon tells about the configured MIDI-IN device during the
// run: its tip, and a balloon when the device goes or comes back.
struct SMidiInBalloon {
    std::string text;
    bool warning = false;
};

// The application name alone while all is well; with the trouble in
// parentheses behind it while the device is missing or cannot be opened.
std::string MidiInTrayTip(const std::string& appName, CMidiInReconnector::Status status,
                          const std::string& deviceName);

// The balloon for a change found while the program runs by itself (not for
// the user's own choice, which is answered by a message box).
std::optional<SMidiInBalloon> MidiInStatusBalloon(CMidiInReconnector::Status before,
                                                  CMidiInReconnector::Status after,
                                                  const std::string& deviceName);
