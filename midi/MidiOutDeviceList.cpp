#include "MidiOutDeviceList.h"

#include "IMidiOutPlatform.h"

#include <cctype>

SMidiOutDevices ListMidiOutDevices(IMidiOutPlatform& platform) {
    SMidiOutDevices devices;
    const unsigned count = platform.OutGetNumDevs();
    for (unsigned index = 0; index < count; ++index) {
        std::string name;
        bool synth = false;
        if (platform.OutGetDevCaps(index, name, synth) == 0) {
            devices.names.emplace_back(std::move(name));
        } else {
            devices.names.emplace_back(std::nullopt);
        }
        devices.softwareSynth.push_back(synth);
    }
    return devices;
}

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// An output's "MIDIOUT2 (Name)" read as the input's "MIDIIN2 (Name)", so
// that the inputs' matching finds it; the unit prefix may come first.
std::string AsInputStyle(const std::string& name) {
    std::size_t at = 0;
    while (at < name.size() && at < 4 && IsDigit(name[at])) {
        ++at;
    }
    if (at > 0 && name.compare(at, 2, "- ") == 0) {
        at += 2;
    } else if (at > 0 && name.compare(at, 3, " - ") == 0) {
        at += 3;
    } else {
        at = 0;
    }
    if (name.compare(at, 7, "MIDIOUT") == 0) {
        return name.substr(0, at) + "MIDIIN" + name.substr(at + 7);
    }
    return name;
}

struct SDeviceName {
    std::string base;
    // The first unit of a kind is named without a number.
    int unit = 1;
};

// The name with what tells ports of one device apart taken away.
SDeviceName DeviceNameOf(const std::string& name) {
    SDeviceName parsed;
    std::size_t begin = 0;
    std::size_t end = name.size();
    std::size_t digits = 0;
    while (digits < name.size() && digits < 4 && IsDigit(name[digits])) {
        ++digits;
    }
    if (digits > 0 && (name.compare(digits, 2, "- ") == 0 || name.compare(digits, 3, " - ") == 0)) {
        parsed.unit = std::stoi(name.substr(0, digits));
        begin = digits + (name[digits] == '-' ? 2 : 3);
    }
    for (const char* port : {"MIDIIN", "MIDIOUT"}) {
        const std::size_t size = std::char_traits<char>::length(port);
        if (name.compare(begin, size, port) == 0) {
            std::size_t after = begin + size;
            while (after < end && IsDigit(name[after])) {
                ++after;
            }
            if (name.compare(after, 2, " (") == 0) {
                begin = after + 2;
                if (end > begin && name[end - 1] == ')') {
                    --end;
                }
            }
            break;
        }
    }
    // A trailing port number: "X-TOUCH MINI 0", "Pads 2".
    std::size_t trail = end;
    while (trail > begin && IsDigit(name[trail - 1])) {
        --trail;
    }
    if (trail < end && trail > begin + 1 && name[trail - 1] == ' ') {
        end = trail - 1;
    }
    parsed.base = name.substr(begin, end - begin);
    return parsed;
}

} // namespace

SMidiInDeviceMatch FindMidiOutDevice(const SMidiOutDevices& devices, const std::string& name) {
    MidiInDeviceList inputStyle;
    for (const std::optional<std::string>& device : devices.names) {
        inputStyle.push_back(device ? std::optional<std::string>(AsInputStyle(*device))
                                    : std::nullopt);
    }
    return FindMidiInDevice(inputStyle, AsInputStyle(name));
}

std::optional<std::string> ProposeMidiOutDevice(const SMidiOutDevices& devices,
                                                const std::string& inputName) {
    if (inputName.empty()) {
        return std::nullopt;
    }
    const auto usable = [&](std::size_t index) {
        return devices.names[index] &&
               !(index < devices.softwareSynth.size() && devices.softwareSynth[index]);
    };
    for (std::size_t index = 0; index < devices.names.size(); ++index) {
        if (usable(index) && *devices.names[index] == inputName) {
            return devices.names[index];
        }
    }
    const SDeviceName input = DeviceNameOf(inputName);
    for (std::size_t index = 0; index < devices.names.size(); ++index) {
        if (!usable(index)) {
            continue;
        }
        const SDeviceName output = DeviceNameOf(*devices.names[index]);
        if (!output.base.empty() && output.base == input.base && output.unit == input.unit) {
            return devices.names[index];
        }
    }
    return std::nullopt;
}
