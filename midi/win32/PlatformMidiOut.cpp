#include "IMidiOutPlatform.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

namespace {

// A SysEx of a mode message is a few dozen bytes: it is done within a few
// milliseconds at MIDI's 3,125 bytes per second. A driver that never marks
// the buffer done must not hold the sender for ever.
constexpr DWORD kLongMessageTimeoutMs = 2000;

class CWinMmMidiOutPlatform : public IMidiOutPlatform {
public:
    unsigned OutGetNumDevs() override { return midiOutGetNumDevs(); }

    unsigned OutGetDevCaps(unsigned deviceIndex, std::string& productName,
                           bool& softwareSynth) override {
        MIDIOUTCAPSA caps = {};
        const MMRESULT result = midiOutGetDevCapsA(deviceIndex, &caps, sizeof caps);
        if (result == MMSYSERR_NOERROR) {
            productName.assign(caps.szPname, strnlen(caps.szPname, sizeof caps.szPname - 1));
            // The GS Wavetable synthesizer reports MOD_SWSYNTH, the mapper
            // MOD_MAPPER (MIDIOUTCAPS documentation, wTechnology).
            softwareSynth = caps.wTechnology == MOD_SWSYNTH || caps.wTechnology == MOD_MAPPER;
        }
        return result;
    }

    unsigned OutOpen(std::uintptr_t& handle, unsigned deviceIndex) override {
        HMIDIOUT hMidiOut = nullptr;
        const MMRESULT result = midiOutOpen(&hMidiOut, deviceIndex, 0, 0, CALLBACK_NULL);
        if (result == MMSYSERR_NOERROR) {
            handle = reinterpret_cast<std::uintptr_t>(hMidiOut);
        }
        return result;
    }

    unsigned OutShortMsg(std::uintptr_t handle, std::uint32_t message) override {
        return midiOutShortMsg(reinterpret_cast<HMIDIOUT>(handle), message);
    }

    // Prepared, sent, and waited for until the driver sets MHDR_DONE
    // (midiOutLongMsg documentation: the buffer must stay valid until then),
    // then unprepared. Runs on the sender's worker, never the window's thread.
    unsigned OutLongMsg(std::uintptr_t handle, const std::vector<std::uint8_t>& bytes) override {
        const HMIDIOUT port = reinterpret_cast<HMIDIOUT>(handle);
        std::vector<char> buffer(bytes.begin(), bytes.end());
        MIDIHDR header = {};
        header.lpData = buffer.data();
        header.dwBufferLength = static_cast<DWORD>(buffer.size());
        header.dwBytesRecorded = header.dwBufferLength;
        MMRESULT result = midiOutPrepareHeader(port, &header, sizeof header);
        if (result != MMSYSERR_NOERROR) {
            return result;
        }
        result = midiOutLongMsg(port, &header, sizeof header);
        if (result == MMSYSERR_NOERROR) {
            const DWORD start = GetTickCount();
            while ((header.dwFlags & MHDR_DONE) == 0 &&
                   GetTickCount() - start < kLongMessageTimeoutMs) {
                Sleep(1);
            }
            if ((header.dwFlags & MHDR_DONE) == 0) {
                // Takes the buffer back from the driver before it goes.
                midiOutReset(port);
            }
        }
        const MMRESULT unprepared = midiOutUnprepareHeader(port, &header, sizeof header);
        return result != MMSYSERR_NOERROR ? result : unprepared;
    }

    unsigned OutClose(std::uintptr_t handle) override {
        return midiOutClose(reinterpret_cast<HMIDIOUT>(handle));
    }
};

} // namespace

IMidiOutPlatform& PlatformMidiOut() {
    static CWinMmMidiOutPlatform platform;
    return platform;
}
