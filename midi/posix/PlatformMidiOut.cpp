#include "IMidiOutPlatform.h"

namespace {

// Builds without the platform's MIDI service have no output devices.
class CNoDeviceMidiOutPlatform : public IMidiOutPlatform {
public:
    unsigned OutGetNumDevs() override { return 0; }
    unsigned OutGetDevCaps(unsigned, std::string&, bool&) override { return kNoSuchDevice; }
    unsigned OutOpen(std::uintptr_t&, unsigned) override { return kNoSuchDevice; }
    unsigned OutShortMsg(std::uintptr_t, std::uint32_t) override { return kNoSuchPort; }
    unsigned OutLongMsg(std::uintptr_t, const std::vector<std::uint8_t>&) override {
        return kNoSuchPort;
    }
    unsigned OutClose(std::uintptr_t) override { return kNoSuchPort; }

private:
    enum : unsigned { kNoSuchDevice = 2, kNoSuchPort = 5 };
};

} // namespace

IMidiOutPlatform& PlatformMidiOut() {
    static CNoDeviceMidiOutPlatform platform;
    return platform;
}
