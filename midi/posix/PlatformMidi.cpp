#include "MidiPlatform.h"

namespace {

// Builds without the platform's MIDI service have no input devices: every
// device index is out of range.
class CNoDeviceMidiPlatform : public MidiPlatform {
public:
    unsigned InGetNumDevs() override { return 0; }
    unsigned InGetDevCaps(unsigned, std::string&) override { return kBadDeviceId; }
    unsigned InOpen(std::uintptr_t&, unsigned, std::uintptr_t) override { return kBadDeviceId; }
    unsigned InStart(std::uintptr_t) override { return kInvalidHandle; }
    unsigned InClose(std::uintptr_t) override { return kInvalidHandle; }

private:
    // The values the multimedia service reports for the same failures.
    static constexpr unsigned kBadDeviceId = 2;
    static constexpr unsigned kInvalidHandle = 5;
};

} // namespace

MidiPlatform& PlatformMidi() {
    static CNoDeviceMidiPlatform platform;
    return platform;
}
