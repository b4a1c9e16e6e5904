#include "MidiInDeviceList.h"

#include "IMidiPlatform.h"
#include "StringUtil.h"

#include <algorithm>
#include <cctype>
#include <string>
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

// What a port's name says beside the device's own name. Digits, brackets,
// blanks and ASCII letters lie below 0x80 and the bytes compared from the
// end below 0x40, where no trail byte of a two-byte character does: the
// bytes looked at are whole characters.
struct SPortName {
    std::string base;
    unsigned unit = 0; // the number of a second identical unit; 0: none
    unsigned port = 1; // the port of a device with several ("MIDIIN2 (...)")
};

// Leading digits and what follows them; `end` is where the digits end.
unsigned LeadingNumber(const std::string& text, std::size_t begin, std::size_t& end) {
    unsigned number = 0;
    end = begin;
    while (end < text.size() && IsDigit(text[end]) && end - begin < 4) {
        number = number * 10 + static_cast<unsigned>(text[end] - '0');
        ++end;
    }
    return number;
}

bool EndsWith(const std::string& text, std::size_t end, const char* tail) {
    const std::size_t size = std::char_traits<char>::length(tail);
    return end >= size && text.compare(end - size, size, tail) == 0;
}

// The start of a trailing number ending at `end`, or `end` when there is none.
std::size_t TrailingDigits(const std::string& text, std::size_t begin, std::size_t end) {
    std::size_t digits = end;
    while (digits > begin && IsDigit(text[digits - 1])) {
        --digits;
    }
    return digits;
}

SPortName ParsePortName(const std::string& name) {
    SPortName parsed;
    std::size_t begin = 0;
    std::size_t end = name.size();
    // "2- Name" and "2 - Name".
    std::size_t digitsEnd = 0;
    const unsigned unit = LeadingNumber(name, 0, digitsEnd);
    if (digitsEnd > 0 && name.compare(digitsEnd, 2, "- ") == 0) {
        parsed.unit = unit;
        begin = digitsEnd + 2;
    } else if (digitsEnd > 0 && name.compare(digitsEnd, 3, " - ") == 0) {
        parsed.unit = unit;
        begin = digitsEnd + 3;
    }
    // "MIDIIN2 (Name)", its bracket lost where the name was cut.
    if (name.compare(begin, 6, "MIDIIN") == 0) {
        std::size_t portEnd = 0;
        const unsigned port = LeadingNumber(name, begin + 6, portEnd);
        if (portEnd > begin + 6 && name.compare(portEnd, 2, " (") == 0) {
            parsed.port = port;
            begin = portEnd + 2;
            if (end > begin && name[end - 1] == ')') {
                --end;
            }
        }
    }
    // A trailing group number: " Group 1" or " [1]".
    if (end > begin && name[end - 1] == ']') {
        const std::size_t digits = TrailingDigits(name, begin, end - 1);
        if (digits < end - 1 && EndsWith(name, digits, " [")) {
            end = digits - 2;
        }
    } else {
        const std::size_t digits = TrailingDigits(name, begin, end);
        if (digits < end && EndsWith(name, digits, " Group")) {
            end = digits - 6;
        }
    }
    // "Name (2)".
    if (end > begin + 4 && name[end - 1] == ')') {
        const std::size_t digits = TrailingDigits(name, begin, end - 1);
        if (digits < end - 1 && digits >= begin + 2 && EndsWith(name, digits, " (")) {
            if (parsed.unit == 0) {
                std::size_t ignored = 0;
                parsed.unit = LeadingNumber(name, digits, ignored);
            }
            end = digits - 2;
        }
    }
    parsed.base = name.substr(begin, end - begin);
    return parsed;
}

bool IsJackNameOf(const std::string& device, const std::string& stored) {
    return device.size() > stored.size() + 1 && device.compare(0, stored.size(), stored) == 0 &&
           device[stored.size()] == ' ';
}

using NameTest = std::function<bool(const std::string& device)>;

// Every index whose name passes `test`, but for those taken.
std::vector<unsigned> Matching(const MidiInDeviceList& devices, const std::vector<unsigned>& taken,
                               const NameTest& test) {
    std::vector<unsigned> found;
    for (unsigned index = 0; index < devices.size(); ++index) {
        if (devices[index] && std::find(taken.begin(), taken.end(), index) == taken.end() &&
            test(*devices[index])) {
            found.push_back(index);
        }
    }
    return found;
}

std::optional<unsigned> FindExact(const MidiInDeviceList& devices, const std::string& name,
                                  const std::vector<unsigned>& taken) {
    // Two devices of exactly that name: the lower index, as always.
    const std::vector<unsigned> exact =
        Matching(devices, taken, [&](const std::string& device) { return device == name; });
    return exact.empty() ? std::nullopt : std::optional<unsigned>(exact.front());
}

} // namespace

SMidiInDeviceMatch FindMidiInDevice(const MidiInDeviceList& devices, const std::string& name,
                                    const std::vector<unsigned>& taken) {
    SMidiInDeviceMatch match;
    if (name.empty()) {
        return match;
    }
    match.index = FindExact(devices, name, taken);
    if (match.index) {
        return match;
    }
    const SPortName stored = ParsePortName(name);
    const std::string cut = CutAtCharacterBoundary(name, kNameBytes);
    const auto samePort = [&](const SPortName& device) {
        return device.port == stored.port && device.base == stored.base;
    };
    const NameTest renamed[] = {
        [&](const std::string& device) {
            const SPortName parsed = ParsePortName(device);
            return samePort(parsed) && parsed.unit == stored.unit;
        },
        [&](const std::string& device) { return samePort(ParsePortName(device)); },
        [&](const std::string& device) {
            const SPortName parsed = ParsePortName(device);
            return parsed.port == stored.port && IsJackNameOf(parsed.base, stored.base);
        },
        [&](const std::string& device) {
            return CutAtCharacterBoundary(device, kNameBytes) == cut;
        },
    };
    for (const NameTest& test : renamed) {
        const std::vector<unsigned> found = Matching(devices, taken, test);
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

std::vector<SMidiInDeviceMatch> FindMidiInDevices(const MidiInDeviceList& devices,
                                                  const std::vector<std::string>& names) {
    std::vector<SMidiInDeviceMatch> matches(names.size());
    std::vector<unsigned> taken;
    std::vector<bool> done(names.size(), false);
    for (std::size_t slot = 0; slot < names.size(); ++slot) {
        if (!names[slot].empty()) {
            matches[slot].index = FindExact(devices, names[slot], taken);
            if (matches[slot].index) {
                taken.push_back(*matches[slot].index);
                done[slot] = true;
            }
        }
    }
    for (std::size_t slot = 0; slot < names.size(); ++slot) {
        if (!done[slot]) {
            matches[slot] = FindMidiInDevice(devices, names[slot], taken);
            if (matches[slot].index) {
                taken.push_back(*matches[slot].index);
            }
        }
    }
    return matches;
}
