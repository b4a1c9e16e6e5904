#include "MidiInDeviceList.h"

#include "IMidiPlatform.h"

#include <utility>

MidiInDeviceList ListMidiInDevices(IMidiPlatform& platform) {
    MidiInDeviceList devices;
    const unsigned count = platform.InGetNumDevs();
    for (unsigned index = 0; index < count; ++index) {
        std::string name;
        if (platform.InGetDevCaps(index, name) == 0) {
            devices.emplace_back(std::move(name));
        } else {
            devices.emplace_back(std::nullopt);
        }
    }
    return devices;
}

std::optional<unsigned> FindMidiInDevice(const MidiInDeviceList& devices, const std::string& name) {
    for (unsigned index = 0; index < devices.size(); ++index) {
        if (devices[index] && *devices[index] == name) {
            return index;
        }
    }
    return std::nullopt;
}
