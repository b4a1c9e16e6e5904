#include "IMidiPlatform.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstddef>
#include <cstring>
#include <new>

namespace {

static_assert(sizeof(MIDIINCAPSA) == 44, "the capabilities record the service fills");

// A system-exclusive buffer: the header the port returns and the bytes it
// fills. The program acts on short messages only, so a returned buffer's
// bytes are never read; it only has to be there, or some ports stop all
// their input at the first such message.
struct SSysExBuffer {
    MIDIHDR header;
    char data[1024];
};

HMIDIIN PortOf(std::uintptr_t handle) {
    return reinterpret_cast<HMIDIIN>(handle);
}

// The buffer's value is its header's address, as MM_MIM_LONGDATA carries it.
SSysExBuffer* BufferOf(std::uintptr_t buffer) {
    static_assert(offsetof(SSysExBuffer, header) == 0, "the header's address is the buffer's");
    return reinterpret_cast<SSysExBuffer*>(buffer);
}

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

    unsigned InStart(std::uintptr_t handle) override { return midiInStart(PortOf(handle)); }

    unsigned InReset(std::uintptr_t handle) override { return midiInReset(PortOf(handle)); }

    unsigned InClose(std::uintptr_t handle) override { return midiInClose(PortOf(handle)); }

    unsigned InGetId(std::uintptr_t handle, unsigned& deviceIndex) override {
        UINT id = 0;
        const MMRESULT result = midiInGetID(PortOf(handle), &id);
        if (result == MMSYSERR_NOERROR) {
            deviceIndex = id;
        }
        return result;
    }

    unsigned InPrepareBuffer(std::uintptr_t handle, std::uintptr_t& buffer) override {
        SSysExBuffer* made = new (std::nothrow) SSysExBuffer();
        if (made == nullptr) {
            return MMSYSERR_NOMEM;
        }
        made->header.lpData = made->data;
        made->header.dwBufferLength = sizeof made->data;
        const MMRESULT result = midiInPrepareHeader(PortOf(handle), &made->header, sizeof(MIDIHDR));
        if (result != MMSYSERR_NOERROR) {
            delete made;
            return result;
        }
        buffer = reinterpret_cast<std::uintptr_t>(made);
        return result;
    }

    unsigned InAddBuffer(std::uintptr_t handle, std::uintptr_t buffer) override {
        MIDIHDR& header = BufferOf(buffer)->header;
        header.dwBytesRecorded = 0;
        return midiInAddBuffer(PortOf(handle), &header, sizeof(MIDIHDR));
    }

    unsigned InUnprepareBuffer(std::uintptr_t handle, std::uintptr_t buffer) override {
        SSysExBuffer* kept = BufferOf(buffer);
        const MMRESULT result =
            midiInUnprepareHeader(PortOf(handle), &kept->header, sizeof(MIDIHDR));
        if (result == MMSYSERR_NOERROR) {
            delete kept;
        }
        return result;
    }
};

} // namespace

IMidiPlatform& PlatformMidi() {
    static CWinMmMidiPlatform platform;
    return platform;
}
