#pragma once
#include <optional>
#include <string>
#include <vector>

class IMidiPlatform;

// The MIDI-IN devices the service lists now, by index; no name where the
// device's capabilities could not be read.
using MidiInDeviceList = std::vector<std::optional<std::string>>;
MidiInDeviceList ListMidiInDevices(IMidiPlatform& platform);

// Which listed device a stored name stands for.
struct SMidiInDeviceMatch {
    std::optional<unsigned> index;
    // When several devices fit equally well: their names, and no index.
    std::vector<std::string> candidates;
};

// How a device is found by its stored name. The lowest index whose name is
// exactly `name`; failing that, the one device whose name differs only in
// the ways Windows MIDI Services renames ports: the number of a second
// identical unit ("2- Name" or "2 - Name" in the legacy style, "Name (2)"
// in the new; a stored number finds that unit before one of another
// number), a second port's "MIDIIN2 (Name)" with or without its closing
// bracket, a trailing group number (" Group 1", " [1]"), the jack's name
// behind the device's ("Name Control Surface"), or the cut at 31 bytes, at
// a character boundary. Several such devices: none.
//
// Indices in `taken` (ports other slots hold) are never found.
SMidiInDeviceMatch FindMidiInDevice(const MidiInDeviceList& devices, const std::string& name,
                                    const std::vector<unsigned>& taken = {});

// The ports of several slots at once, one port per slot at most: the slots
// whose name a port has exactly come first (in slot order), then the renamed
// ones. An empty name finds nothing.
std::vector<SMidiInDeviceMatch> FindMidiInDevices(const MidiInDeviceList& devices,
                                                  const std::vector<std::string>& names);
