#pragma once
#include <optional>
#include <string>
#include <vector>

class IMidiPlatform;

// The MIDI-IN devices the service lists now, by index; no name where the
// device's capabilities could not be read.
using MidiInDeviceList = std::vector<std::optional<std::string>>;
MidiInDeviceList ListMidiInDevices(IMidiPlatform& platform);
// How a device is found by its name: the lowest index whose name equals
// `name` byte for byte.
std::optional<unsigned> FindMidiInDevice(const MidiInDeviceList& devices, const std::string& name);
