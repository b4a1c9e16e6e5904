// The MIDI-OUT entry points of the multimedia library, for the lights of a
// controller: scripted output devices (see FakeWinmmScript.h), every message
// logged, and optionally looped back into an input port.
#define _WINMM_ // defined here, not imported
#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <string>

#include "FakeWinmmInput.h"
#include "FakeWinmmLog.h"
#include "FakeWinmmScript.h"

namespace {

constexpr unsigned kMaxOutputs = 16;
// Apart from the inputs' handles, new at every open like theirs.
constexpr UINT_PTR kHandleBase = 0x10000000;
constexpr UINT_PTR kOpenStep = 0x100;

struct OutPort {
    bool open = false;
    UINT_PTR handle = 0;
    std::string name;
    bool removed = false;
    int loopToInput = -1;
};

// The program sends from a worker while its window's thread opens and
// closes: one lock for the ports.
CRITICAL_SECTION g_lock;
bool g_lockReady = false;
OutPort g_outs[kMaxOutputs];
UINT_PTR g_opens = 0;

class Locked {
public:
    Locked() {
        if (!g_lockReady) {
            // The loader serialises attach; the first call comes later.
            InitializeCriticalSection(&g_lock);
            g_lockReady = true;
        }
        EnterCriticalSection(&g_lock);
    }
    ~Locked() { LeaveCriticalSection(&g_lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

FakeWinmmScript Script() {
    return FakeWinmmScript(FakeWinmmDirectory() + "FakeWinmm.ini");
}
FakeWinmmLog Log() {
    return FakeWinmmLog(FakeWinmmDirectory() + "FakeWinmm.log");
}
std::string Result(MMRESULT result) {
    return " result=" + std::to_string(result);
}

// An open port whose device left the script is dead. With Windows MIDI
// Services an unplugged device's open port is invalidated and answers every
// call but its close with MMSYSERR_NODRIVER (microsoft/MIDI, WinMM client
// MidiSrvPorts.cpp); the program must close it and find the device again.
unsigned OutputCount() {
    const FakeWinmmScript script = Script();
    const unsigned listed = script.OutputCount();
    const unsigned count = listed < kMaxOutputs ? listed : kMaxOutputs;
    for (unsigned device = 0; device < kMaxOutputs; ++device) {
        OutPort& port = g_outs[device];
        if (port.open && !port.removed &&
            (device >= count || script.OutputName(device) != port.name)) {
            port.removed = true;
            Log().Write("outputRemoved handle=" + Hex(port.handle));
        }
    }
    return count;
}

OutPort* PortOf(HMIDIOUT handle) {
    const UINT_PTR value = reinterpret_cast<UINT_PTR>(handle);
    if (value < kHandleBase) {
        return nullptr;
    }
    const unsigned device = static_cast<unsigned>((value - kHandleBase) % kOpenStep);
    if (device >= kMaxOutputs) {
        return nullptr;
    }
    OutPort& port = g_outs[device];
    return port.open && port.handle == value ? &port : nullptr;
}

std::string HexBytes(const char* data, DWORD size) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (DWORD i = 0; i < size; ++i) {
        const unsigned char byte = static_cast<unsigned char>(data[i]);
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

} // namespace

extern "C" UINT WINAPI midiOutGetNumDevs() {
    const Locked lock;
    const unsigned count = OutputCount();
    Log().Write("midiOutGetNumDevs result=" + std::to_string(count));
    return count;
}

extern "C" MMRESULT WINAPI midiOutGetDevCapsA(UINT_PTR device, LPMIDIOUTCAPSA caps, UINT size) {
    const Locked lock;
    std::string line =
        "midiOutGetDevCapsA device=" + std::to_string(device) + " size=" + std::to_string(size);
    MMRESULT result = MMSYSERR_NOERROR;
    std::string name;
    if (device >= OutputCount()) {
        result = MMSYSERR_BADDEVICEID;
    } else if (caps == nullptr || size < sizeof(MIDIOUTCAPSA)) {
        result = MMSYSERR_INVALPARAM;
    } else {
        const FakeWinmmScript script = Script();
        name = script.OutputName(static_cast<unsigned>(device));
        std::memset(caps, 0, sizeof(MIDIOUTCAPSA));
        caps->wMid = 0xFFFF;
        caps->wPid = static_cast<WORD>(device);
        caps->vDriverVersion = 0x0100;
        // The GS Wavetable synthesizer says MOD_SWSYNTH (MIDIOUTCAPS docs).
        caps->wTechnology = script.OutputResult(static_cast<unsigned>(device), "Synth") != 0
                                ? MOD_SWSYNTH
                                : MOD_MIDIPORT;
        caps->wVoices = 0;
        caps->wChannelMask = 0xFFFF;
        std::strncpy(caps->szPname, name.c_str(), MAXPNAMELEN - 1);
        name.resize(std::strlen(caps->szPname));
    }
    line += Result(result);
    if (result == MMSYSERR_NOERROR) {
        line += " name=" + name;
    }
    Log().Write(line);
    return result;
}

extern "C" MMRESULT WINAPI midiOutOpen(LPHMIDIOUT handle, UINT device, DWORD_PTR callback,
                                       DWORD_PTR instance, DWORD flags) {
    const Locked lock;
    std::string line = "midiOutOpen device=" + std::to_string(device) +
                       " callback=" + Hex(callback) + " instance=" + Hex(instance) +
                       " flags=" + Hex(flags);
    MMRESULT result = MMSYSERR_NOERROR;
    if (handle == nullptr) {
        result = MMSYSERR_INVALPARAM;
    } else if (device >= OutputCount()) {
        result = MMSYSERR_BADDEVICEID;
    } else if (g_outs[device].open) {
        // A port is the program's alone until it closes it.
        result = MMSYSERR_ALLOCATED;
    } else if ((result = Script().OutputResult(device, "OpenResult")) == 0) {
        const FakeWinmmScript script = Script();
        OutPort& port = g_outs[device];
        port = OutPort();
        port.open = true;
        port.name = script.OutputName(device);
        port.loopToInput = script.OutputLoop(device);
        port.handle = kHandleBase + kOpenStep * (g_opens++ % 0x1000) + device;
        *handle = reinterpret_cast<HMIDIOUT>(port.handle);
        line += " handle=" + Hex(port.handle);
    }
    Log().Write(line + Result(result));
    return result;
}

extern "C" MMRESULT WINAPI midiOutShortMsg(HMIDIOUT handle, DWORD message) {
    MMRESULT result = MMSYSERR_INVALHANDLE;
    int loopTo = -1;
    {
        const Locked lock;
        OutputCount(); // an unplug shows at the next call, as it does
        if (OutPort* port = PortOf(handle)) {
            result = port->removed ? MMSYSERR_NODRIVER : MMSYSERR_NOERROR;
            loopTo = port->removed ? -1 : port->loopToInput;
        }
        Log().Write("midiOutShortMsg handle=" + Hex(reinterpret_cast<UINT_PTR>(handle)) +
                    " message=" + Hex(message) + Result(result));
    }
    if (loopTo >= 0) {
        DeliverToInput(static_cast<unsigned>(loopTo), message);
    }
    return result;
}

namespace {
// A header's preparation changes only its flags, as WinMM keeps them
// (learn.microsoft.com/en-us/windows/win32/api/mmeapi/ns-mmeapi-midihdr,
// dwFlags): MHDR_PREPARED is set by the system when it prepares a header
// and taken away when it unprepares it; MHDR_DONE is the driver's word that
// it is finished with the buffer. Preparing a prepared header, or
// unpreparing one that is not, answers MMSYSERR_NOERROR
// (learn.microsoft.com/en-us/windows/win32/api/mmeapi/nf-mmeapi-midioutprepareheader,
// learn.microsoft.com/en-us/windows/win32/api/mmeapi/nf-mmeapi-midioutunprepareheader).
// A handle of no open port answers MMSYSERR_INVALHANDLE, a missing or short
// header MMSYSERR_INVALPARAM. The MIDIERR_STILLPLAYING of an unprepare
// never comes: midiOutLongMsg here is done at once.
MMRESULT ChangePreparation(const char* function, HMIDIOUT handle, LPMIDIHDR header, UINT size,
                           DWORD setFlags, DWORD clearedFlags) {
    const Locked lock;
    MMRESULT result = MMSYSERR_INVALHANDLE;
    if (PortOf(handle) != nullptr) {
        result =
            header == nullptr || size < sizeof(MIDIHDR) ? MMSYSERR_INVALPARAM : MMSYSERR_NOERROR;
        if (result == MMSYSERR_NOERROR) {
            header->dwFlags = (header->dwFlags | setFlags) & ~clearedFlags;
        }
    }
    Log().Write(std::string(function) + " handle=" + Hex(reinterpret_cast<UINT_PTR>(handle)) +
                Result(result));
    return result;
}
} // namespace

// A header prepared again is not done yet: the done flag of its last send
// goes, so that a wait for it waits for its own send. The pages above do
// not say that preparing clears MHDR_DONE; the program gives every send a
// new header, so nothing it does depends on this choice.
extern "C" MMRESULT WINAPI midiOutPrepareHeader(HMIDIOUT handle, LPMIDIHDR header, UINT size) {
    return ChangePreparation("midiOutPrepareHeader", handle, header, size, MHDR_PREPARED,
                             MHDR_DONE);
}

// A quick driver: done at once. A header not prepared is refused
// (MIDIERR_UNPREPARED, midiOutLongMsg documentation).
extern "C" MMRESULT WINAPI midiOutLongMsg(HMIDIOUT handle, LPMIDIHDR header, UINT size) {
    const Locked lock;
    OutputCount();
    MMRESULT result = MMSYSERR_INVALHANDLE;
    std::string bytes;
    if (OutPort* port = PortOf(handle)) {
        if (port->removed) {
            result = MMSYSERR_NODRIVER;
        } else if (header == nullptr || size < sizeof(MIDIHDR)) {
            result = MMSYSERR_INVALPARAM;
        } else if ((header->dwFlags & MHDR_PREPARED) == 0) {
            result = MIDIERR_UNPREPARED;
        } else {
            result = MMSYSERR_NOERROR;
            bytes = HexBytes(header->lpData, header->dwBufferLength);
            header->dwFlags |= MHDR_DONE;
        }
    }
    Log().Write("midiOutLongMsg handle=" + Hex(reinterpret_cast<UINT_PTR>(handle)) +
                " bytes=" + bytes + Result(result));
    return result;
}

extern "C" MMRESULT WINAPI midiOutUnprepareHeader(HMIDIOUT handle, LPMIDIHDR header, UINT size) {
    return ChangePreparation("midiOutUnprepareHeader", handle, header, size, 0, MHDR_PREPARED);
}

extern "C" MMRESULT WINAPI midiOutReset(HMIDIOUT handle) {
    const Locked lock;
    const MMRESULT result = PortOf(handle) != nullptr ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
    Log().Write("midiOutReset handle=" + Hex(reinterpret_cast<UINT_PTR>(handle)) + Result(result));
    return result;
}

extern "C" MMRESULT WINAPI midiOutClose(HMIDIOUT handle) {
    const Locked lock;
    MMRESULT result = MMSYSERR_INVALHANDLE;
    if (OutPort* port = PortOf(handle)) {
        *port = OutPort();
        result = MMSYSERR_NOERROR;
    }
    Log().Write("midiOutClose handle=" + Hex(reinterpret_cast<UINT_PTR>(handle)) + Result(result));
    return result;
}
