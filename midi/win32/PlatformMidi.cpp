#include "IMidiPlatform.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

namespace {

static_assert(sizeof(MIDIINCAPSA) == 44, "the capabilities record the service fills");

class CWinMmMidiPlatform : public IMidiPlatform {
public:
    unsigned InGetNumDevs() override { return midiInGetNumDevs(); }

    unsigned InGetDevCaps(unsigned deviceIndex, std::string& productName) override {
        MIDIINCAPSA caps = {};
        const MMRESULT result = midiInGetDevCapsA(deviceIndex, &caps, sizeof caps);
        if (result == MMSYSERR_NOERROR) {
            // A driver that fills the whole field leaves no terminator.
            productName.assign(caps.szPname, strnlen(caps.szPname, sizeof caps.szPname - 1));
        }
        return result;
    }

    unsigned InOpen(std::uintptr_t& handle, unsigned deviceIndex,
                    std::uintptr_t receiver) override {
        HMIDIIN hMidiIn = nullptr;
        const MMRESULT result =
            midiInOpen(&hMidiIn, deviceIndex, static_cast<DWORD_PTR>(receiver), 0, CALLBACK_WINDOW);
        if (result == MMSYSERR_NOERROR) {
            handle = reinterpret_cast<std::uintptr_t>(hMidiIn);
        }
        return result;
    }

    unsigned InStart(std::uintptr_t handle) override {
        return midiInStart(reinterpret_cast<HMIDIIN>(handle));
    }

    unsigned InClose(std::uintptr_t handle) override {
        return midiInClose(reinterpret_cast<HMIDIIN>(handle));
    }
};

} // namespace

IMidiPlatform& PlatformMidi() {
    static CWinMmMidiPlatform platform;
    return platform;
}
