#pragma once
#include "MidiInDeviceList.h"

#include <optional>
#include <string>
#include <vector>

class IMidiOutPlatform;

// The MIDI-OUT devices the service lists now, by index; no name where the
// device's capabilities could not be read.
struct SMidiOutDevices {
    MidiInDeviceList names;
    // Per index: the system's software synthesizer (or its mapper).
    std::vector<bool> softwareSynth;
};
SMidiOutDevices ListMidiOutDevices(IMidiOutPlatform& platform);

// An output found again by its stored name, with the same matching as the
// inputs (FindMidiInDevice): after a replug a port may come back renumbered
// or renamed in the same ways, "MIDIOUT2 (Name)" like "MIDIIN2 (Name)".
SMidiInDeviceMatch FindMidiOutDevice(const SMidiOutDevices& devices, const std::string& name);

// The output that most likely belongs to the same controller as an input,
// proposed when the user picks the input: the same name, or the same after
// taking away what tells ports apart rather than devices ("MIDIIN2 (" /
// "MIDIOUT2 (" and their bracket, a leading unit number "2- " or "2 - ",
// and a trailing port number, as "X-TOUCH MINI 0" in and "... 1" out). The
// unit numbers must agree (none is the first unit). The software synthesizer
// is never proposed: lights sent there would only sound.
std::optional<std::string> ProposeMidiOutDevice(const SMidiOutDevices& devices,
                                                const std::string& inputName);
