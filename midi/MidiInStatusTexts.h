#pragma once
#include "MidiInReconnector.h"

#include <optional>
#include <string>
#include <vector>

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

// The tip while several slots have a device: how many are open and how
// many are not, cut to the tip's 127 bytes at a character boundary; with one
// named slot, the tip of that device as above.
struct SMidiInSlotState {
    CMidiInReconnector::Status status;
    std::string deviceName;
};
std::string MidiInSlotsTrayTip(const std::string& appName,
                               const std::vector<SMidiInSlotState>& namedSlots);

// The balloon for a change of the status. A change found while the program
// runs by itself (`byItself`) is told; of the user's own choice and the
// start, which a message box answers, only several fitting devices
// (`candidates`) are, for the box has no words for them.
std::optional<SMidiInBalloon> MidiInStatusBalloon(CMidiInReconnector::Status before,
                                                  CMidiInReconnector::Status after, bool byItself,
                                                  const std::string& deviceName,
                                                  const std::vector<std::string>& candidates = {});
