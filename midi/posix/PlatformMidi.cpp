#include "IMidiPlatform.h"

namespace {

// Builds without the platform's MIDI service have no input devices: every
// device index is out of range.
class CNoDeviceMidiPlatform : public IMidiPlatform {
public:
    unsigned InGetNumDevs() override { return 0; }
    unsigned InGetDevCaps(unsigned, std::string&) override { return kNoSuchDevice; }
    unsigned InOpen(std::uintptr_t&, unsigned, std::uintptr_t) override { return kNoSuchDevice; }
    unsigned InStart(std::uintptr_t) override { return kNoSuchPort; }
    unsigned InReset(std::uintptr_t) override { return kNoSuchPort; }
    unsigned InClose(std::uintptr_t) override { return kNoSuchPort; }
    unsigned InGetId(std::uintptr_t, unsigned&) override { return kNoSuchPort; }
    unsigned InPrepareBuffer(std::uintptr_t, std::uintptr_t&) override { return kNoSuchPort; }
    unsigned InAddBuffer(std::uintptr_t, std::uintptr_t) override { return kNoSuchPort; }
    unsigned InUnprepareBuffer(std::uintptr_t, std::uintptr_t) override { return kNoSuchPort; }

private:
    // Any non-zero value is a failure; these only tell the two apart.
    enum : unsigned { kNoSuchDevice = 1, kNoSuchPort = 2 };
};

} // namespace

IMidiPlatform& PlatformMidi() {
    static CNoDeviceMidiPlatform platform;
    return platform;
}
