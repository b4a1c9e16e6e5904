#include "MidiInDeviceList.h"

#include "IMidiPlatform.h"
#include "StringUtil.h"

#include <cctype>
#include <functional>
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

namespace {

// The field of the capabilities record holds 31 bytes and a terminator.
constexpr std::size_t kNameBytes = 31;

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The name without the number of a second identical unit: a leading
// "N- " (legacy) and a trailing " (N)" (Windows MIDI Services).
std::string WithoutUnitNumber(const std::string& name) {
    std::size_t begin = 0;
    while (begin < name.size() && IsDigit(name[begin])) {
        ++begin;
    }
    if (begin == 0 || name.compare(begin, 2, "- ") != 0) {
        begin = 0;
    } else {
        begin += 2;
    }
    std::size_t end = name.size();
    if (end > begin + 4 && name[end - 1] == ')') {
        std::size_t digits = end - 1;
        while (digits > begin && IsDigit(name[digits - 1])) {
            --digits;
        }
        // Digits, brackets and blanks lie below 0x40, where no trail byte of
        // a two-byte character does: the bytes looked at are whole characters.
        if (digits < end - 1 && digits >= begin + 2 && name.compare(digits - 2, 2, " (") == 0) {
            end = digits - 2;
        }
    }
    return name.substr(begin, end - begin);
}

bool IsJackNameOf(const std::string& device, const std::string& stored) {
    return device.size() > stored.size() + 1 && device.compare(0, stored.size(), stored) == 0 &&
           device[stored.size()] == ' ';
}

using NameTest = std::function<bool(const std::string& device)>;

// Every index whose name passes `test`.
std::vector<unsigned> Matching(const MidiInDeviceList& devices, const NameTest& test) {
    std::vector<unsigned> found;
    for (unsigned index = 0; index < devices.size(); ++index) {
        if (devices[index] && test(*devices[index])) {
            found.push_back(index);
        }
    }
    return found;
}

} // namespace

SMidiInDeviceMatch FindMidiInDevice(const MidiInDeviceList& devices, const std::string& name) {
    SMidiInDeviceMatch match;
    // Two devices of exactly that name: the lower index, as always.
    const std::vector<unsigned> exact =
        Matching(devices, [&](const std::string& device) { return device == name; });
    if (!exact.empty()) {
        match.index = exact.front();
        return match;
    }
    const std::string base = WithoutUnitNumber(name);
    const std::string cut = CutAtCharacterBoundary(name, kNameBytes);
    const NameTest renamed[] = {
        [&](const std::string& device) { return WithoutUnitNumber(device) == base; },
        [&](const std::string& device) { return IsJackNameOf(WithoutUnitNumber(device), base); },
        [&](const std::string& device) {
            return CutAtCharacterBoundary(device, kNameBytes) == cut;
        },
    };
    for (const NameTest& test : renamed) {
        const std::vector<unsigned> found = Matching(devices, test);
        if (found.size() == 1) {
            match.index = found.front();
            return match;
        }
        if (found.size() > 1) {
            for (const unsigned index : found) {
                match.candidates.push_back(*devices[index]);
            }
            return match;
        }
    }
    return match;
}
