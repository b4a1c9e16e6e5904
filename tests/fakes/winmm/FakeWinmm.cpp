// The MIDI-IN entry points of the multimedia library, answering from the
// script and logging every call (see FakeWinmmScript.h and FakeWinmmLog.h).
#define _WINMM_ // defined here, not imported
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "DemoPlayer.h"
#include "FakeDelivery.h"
#include "FakeWinmmInput.h"
#include "FakeWinmmLog.h"
#include "FakeWinmmScript.h"
#include "MessageLoopHook.h"
#include "SaveHook.h"
#include "ShellExecuteHook.h"
#include "TrayIconHook.h"

namespace {

constexpr unsigned kMaxDevices = 64;
constexpr unsigned kMaxPorts = 64;
// Handles are this plus the device index at the open plus 0x100 times the
// number of opens before: readable in the log, and new at every open, as
// the system's are, so that a message of a closed port is told from the
// reopened one.
constexpr UINT_PTR kHandleBase = 0x1000;
constexpr UINT_PTR kOpenStep = 0x100;
// What a filled system-exclusive buffer holds: an identity request.
constexpr unsigned char kSysEx[] = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};

struct Port {
    bool open = false;
    bool started = false;
    HWND window = nullptr;
    UINT_PTR handle = 0;
    std::string name;       // of the device when the port was opened
    std::string identity;   // the name and the plug-in of that device
    unsigned index = 0;     // where the device is listed now
    bool removed = false;   // the device went while the port was open
    bool closeTold = false; // and the window was told
    bool deaf = false;      // a system-exclusive message found no buffer
    std::vector<MIDIHDR*> queued;
};

Port g_ports[kMaxPorts];
UINT_PTR g_opens = 0;
std::string g_directory; // of this library, with a trailing backslash

FakeWinmmScript Script() {
    return FakeWinmmScript(g_directory + "FakeWinmm.ini");
}
FakeWinmmLog Log() {
    return FakeWinmmLog(g_directory + "FakeWinmm.log");
}

std::string Result(MMRESULT result) {
    return " result=" + std::to_string(result);
}

std::string HandleText(HMIDIIN handle) {
    return "handle=" + Hex(reinterpret_cast<UINT_PTR>(handle));
}

// A device is the one it was at the open while its name and its plug-in
// count (Plug=, raised by a test for the same device plugged in again) stay.
std::string Identity(const FakeWinmmScript& script, unsigned device) {
    return script.Name(device) + "#" + std::to_string(script.Result(device, "Plug"));
}

// The open port of a handle, or null.
Port* PortOf(HMIDIIN handle) {
    const UINT_PTR value = reinterpret_cast<UINT_PTR>(handle);
    for (Port& port : g_ports) {
        if (port.open && value != 0 && port.handle == value) {
            return &port;
        }
    }
    return nullptr;
}

// The live port listed at `device` now, or null.
Port* LivePortAt(unsigned device) {
    for (Port& port : g_ports) {
        if (port.open && !port.removed && port.index == device) {
            return &port;
        }
    }
    return nullptr;
}

// The port that input of the device listed at `device` reaches now: its
// live, started port that still hears, or null. Read by the program's
// thread and, for a looped-back output, by its sending worker: plain reads
// of the ports, no change.
Port* ReceivingPort(unsigned device) {
    Port* port = LivePortAt(device);
    return port != nullptr && port->started && !port->deaf ? port : nullptr;
}

// As a driver does, tell the receiving window about open and close.
void Notify(const Port& port, UINT message, HMIDIIN handle) {
    if (port.window != nullptr) {
        PostMessageA(port.window, message, reinterpret_cast<WPARAM>(handle), 0);
    }
}

// Follows the script's list with the open ports, as Windows does:
// - An unplug renumbers the devices after it: Windows MIDI Services lists
//   the ports in the order of its endpoints and closes the gap, so indices
//   are never stable ("not a persistent identifier", microsoft/MIDI
//   docs/kb/moving-from-winmm-to-wms.md), while the handles of the open
//   ports after it keep working. A port whose device is still listed, at
//   whatever index, stays alive there ("renumbered handle=... index=...").
// - An open port whose device has left the script (or came back as a new
//   plug-in) is dead. With Windows MIDI Services the removal only marks the
//   open port invalidated; it answers every call but its close with
//   MMSYSERR_NODRIVER, and MIM_CLOSE comes only from that close
//   (microsoft/MIDI, WinMM client MidiSrvPorts.cpp). On the classic stack
//   the handle of a pulled USB device just goes silent
//   (melanchall/drywetmidi#170, LMMS/lmms#4253). So by default the window
//   is told nothing. A script with CloseNoticeOnRemoval=1 posts MM_MIM_CLOSE
//   instead, as some drivers do. Either way the handle stays valid until
//   the program closes it.
void FollowTheList(const FakeWinmmScript& script, unsigned count) {
    std::vector<std::string> identities;
    for (unsigned device = 0; device < count; ++device) {
        identities.push_back(Identity(script, device));
    }
    // The ports still listed where they were keep their index; the others
    // look for their device among the indices left.
    std::vector<bool> claimed(count, false);
    std::vector<Port*> moved;
    for (Port& port : g_ports) {
        if (!port.open || port.removed) {
            continue;
        }
        if (port.index < count && identities[port.index] == port.identity) {
            claimed[port.index] = true;
        } else {
            moved.push_back(&port);
        }
    }
    for (Port* port : moved) {
        bool found = false;
        for (unsigned device = 0; device < count && !found; ++device) {
            if (!claimed[device] && identities[device] == port->identity) {
                claimed[device] = true;
                port->index = device;
                found = true;
            }
        }
        if (found) {
            Log().Write("renumbered handle=" + Hex(port->handle) +
                        " index=" + std::to_string(port->index));
            continue;
        }
        port->removed = true;
        port->started = false;
        const bool told = script.CloseNoticeOnRemoval();
        port->closeTold = told;
        if (told) {
            Notify(*port, MM_MIM_CLOSE, reinterpret_cast<HMIDIIN>(port->handle));
        }
        Log().Write("deviceRemoved handle=" + Hex(port->handle) + " told=" + (told ? "1" : "0"));
    }
}

// The script is read again at every call, so a test may change it while the
// program runs.
unsigned CountFromScript() {
    const FakeWinmmScript script = Script();
    const unsigned listed = script.DeviceCount();
    const unsigned count = listed < kMaxDevices ? listed : kMaxDevices;
    FollowTheList(script, count);
    return count;
}

// The port of a call after the script was read again; `result` is what a
// port that is not (or no longer) usable answers.
Port* UsablePort(HMIDIIN handle, MMRESULT& result) {
    CountFromScript();
    Port* port = PortOf(handle);
    if (port == nullptr) {
        result = MMSYSERR_INVALHANDLE;
        return nullptr;
    }
    if (port->removed) {
        result = MMSYSERR_NODRIVER; // see FollowTheList
        return nullptr;
    }
    result = MMSYSERR_NOERROR;
    return port;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
        std::string full(path, length < MAX_PATH ? length : 0);
        g_directory = full.substr(0, full.find_last_of("\\/") + 1);
        Log().Write("attach");
        HookTrayIcon(Log(), Script());
        HookShellExecute(Log(), g_directory);
        HookMessageLoop(Log(), g_directory);
        HookSave(Log());
    } else if (reason == DLL_PROCESS_DETACH) {
        // The last sign of the program before the process is gone.
        Log().Write("detach");
    }
    return TRUE;
}

extern "C" UINT WINAPI midiInGetNumDevs() {
    const unsigned count = CountFromScript();
    Log().Write("midiInGetNumDevs result=" + std::to_string(count));
    return count;
}

extern "C" MMRESULT WINAPI midiInGetDevCapsA(UINT_PTR device, LPMIDIINCAPSA caps, UINT size) {
    std::string line =
        "midiInGetDevCapsA device=" + std::to_string(device) + " size=" + std::to_string(size);
    MMRESULT result = MMSYSERR_NOERROR;
    std::string name;
    if (device >= CountFromScript()) {
        result = MMSYSERR_BADDEVICEID;
    } else if (caps == nullptr || size < sizeof(MIDIINCAPSA)) {
        result = MMSYSERR_INVALPARAM;
    } else if ((result = Script().Result(static_cast<unsigned>(device), "CapsResult")) == 0) {
        name = Script().Name(static_cast<unsigned>(device));
        std::memset(caps, 0, sizeof(MIDIINCAPSA));
        caps->wMid = 0xFFFF; // no registered manufacturer
        caps->wPid = static_cast<WORD>(device);
        caps->vDriverVersion = 0x0100;
        // Like a driver, cut the name to the field and terminate it.
        std::strncpy(caps->szPname, name.c_str(), MAXPNAMELEN - 1);
        name.resize(std::strlen(caps->szPname));
    }
    line += Result(result);
    if (result == MMSYSERR_NOERROR) {
        line += " name=" + name; // last: a name may hold blanks
    }
    Log().Write(line);
    return result;
}

extern "C" MMRESULT WINAPI midiInOpen(LPHMIDIIN handle, UINT device, DWORD_PTR callback,
                                      DWORD_PTR instance, DWORD flags) {
    std::string line = "midiInOpen device=" + std::to_string(device) +
                       " callback=" + Hex(callback) + " instance=" + Hex(instance) +
                       " flags=" + Hex(flags);
    MMRESULT result = MMSYSERR_NOERROR;
    Port* free = nullptr;
    for (Port& port : g_ports) {
        free = free == nullptr && !port.open ? &port : free;
    }
    std::string name;
    if (handle == nullptr) {
        result = MMSYSERR_INVALPARAM;
    } else if (device >= CountFromScript()) {
        result = MMSYSERR_BADDEVICEID;
    } else if (LivePortAt(device) != nullptr) {
        result = MMSYSERR_ALLOCATED;
    } else if (free == nullptr) {
        result = MMSYSERR_NOMEM;
    } else if ((result = Script().Result(device, "OpenResult")) == 0) {
        Port& port = *free;
        port = Port();
        port.open = true;
        port.index = device;
        port.name = Script().Name(device);
        port.identity = Identity(Script(), device);
        port.window = (flags & CALLBACK_TYPEMASK) == CALLBACK_WINDOW
                          ? reinterpret_cast<HWND>(callback)
                          : nullptr;
        port.handle = kHandleBase + kOpenStep * (g_opens++ % 0x1000) + device;
        *handle = reinterpret_cast<HMIDIIN>(port.handle);
        line += " handle=" + Hex(port.handle);
        name = port.name;
        Notify(port, MM_MIM_OPEN, *handle);
    }
    line += Result(result);
    if (result == MMSYSERR_NOERROR) {
        line += " name=" + name; // last: a name may hold blanks
    }
    Log().Write(line);
    return result;
}

extern "C" MMRESULT WINAPI midiInStart(HMIDIIN handle) {
    MMRESULT result = MMSYSERR_NOERROR;
    Port* port = UsablePort(handle, result);
    if (port != nullptr && (result = Script().Result(port->index, "StartResult")) == 0) {
        port->started = true;
        if (Script().Result(port->index, "Demo") != 0) {
            StartDemoPhrase(port->window, port->handle, g_directory + "DemoPlay");
        }
    }
    Log().Write("midiInStart " + HandleText(handle) + Result(result));
    return result;
}

// The header's flags as WinMM keeps them (learn.microsoft.com: MIDIHDR
// structure, midiInPrepareHeader, midiInAddBuffer, midiInUnprepareHeader).
extern "C" MMRESULT WINAPI midiInPrepareHeader(HMIDIIN handle, LPMIDIHDR header, UINT size) {
    MMRESULT result = MMSYSERR_NOERROR;
    Port* port = UsablePort(handle, result);
    if (port != nullptr && (header == nullptr || size < sizeof(MIDIHDR))) {
        result = MMSYSERR_INVALPARAM;
    } else if (port != nullptr) {
        header->dwFlags |= MHDR_PREPARED;
    }
    Log().Write("midiInPrepareHeader " + HandleText(handle) +
                " header=" + Hex(reinterpret_cast<UINT_PTR>(header)) + Result(result));
    return result;
}

extern "C" MMRESULT WINAPI midiInAddBuffer(HMIDIIN handle, LPMIDIHDR header, UINT size) {
    MMRESULT result = MMSYSERR_NOERROR;
    Port* port = UsablePort(handle, result);
    if (port != nullptr && (header == nullptr || size < sizeof(MIDIHDR))) {
        result = MMSYSERR_INVALPARAM;
    } else if (port != nullptr && (header->dwFlags & MHDR_PREPARED) == 0) {
        result = MIDIERR_UNPREPARED;
    } else if (port != nullptr && (header->dwFlags & MHDR_INQUEUE) != 0) {
        result = MIDIERR_STILLPLAYING;
    } else if (port != nullptr) {
        header->dwFlags = (header->dwFlags | MHDR_INQUEUE) & ~MHDR_DONE;
        header->dwBytesRecorded = 0;
        port->queued.push_back(header);
    }
    Log().Write("midiInAddBuffer " + HandleText(handle) +
                " header=" + Hex(reinterpret_cast<UINT_PTR>(header)) + Result(result));
    return result;
}

extern "C" MMRESULT WINAPI midiInUnprepareHeader(HMIDIIN handle, LPMIDIHDR header, UINT size) {
    MMRESULT result = MMSYSERR_NOERROR;
    Port* port = UsablePort(handle, result);
    if (port != nullptr && (header == nullptr || size < sizeof(MIDIHDR))) {
        result = MMSYSERR_INVALPARAM;
    } else if (port != nullptr && (header->dwFlags & MHDR_INQUEUE) != 0) {
        result = MIDIERR_STILLPLAYING;
    } else if (port != nullptr) {
        header->dwFlags &= ~MHDR_PREPARED;
    }
    Log().Write("midiInUnprepareHeader " + HandleText(handle) +
                " header=" + Hex(reinterpret_cast<UINT_PTR>(header)) + Result(result));
    return result;
}

namespace {
// A buffer the driver is done with goes back to the window with the port's
// handle (MM_MIM_LONGDATA, learn.microsoft.com: MM_MIM_LONGDATA message).
void ReturnBuffer(Port& port, MIDIHDR* header, DWORD bytes) {
    header->dwBytesRecorded = bytes;
    header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
    if (port.window != nullptr) {
        PostMessageA(port.window, MM_MIM_LONGDATA, static_cast<WPARAM>(port.handle),
                     reinterpret_cast<LPARAM>(header));
    }
    Log().Write("bufferReturned handle=" + Hex(port.handle) + " header=" +
                Hex(reinterpret_cast<UINT_PTR>(header)) + " bytes=" + std::to_string(bytes));
}
} // namespace

// Stops the input and hands every queued buffer back marked done
// (learn.microsoft.com: midiInReset function).
extern "C" MMRESULT WINAPI midiInReset(HMIDIIN handle) {
    MMRESULT result = MMSYSERR_NOERROR;
    Port* port = UsablePort(handle, result);
    if (port != nullptr) {
        port->started = false;
        StopDemoPhrase(port->handle);
        const std::vector<MIDIHDR*> queued = port->queued;
        port->queued.clear();
        for (MIDIHDR* header : queued) {
            ReturnBuffer(*port, header, 0);
        }
    }
    Log().Write("midiInReset " + HandleText(handle) + Result(result));
    return result;
}

extern "C" MMRESULT WINAPI midiInGetID(HMIDIIN handle, LPUINT deviceIndex) {
    MMRESULT result = MMSYSERR_NOERROR;
    Port* port = UsablePort(handle, result);
    if (port != nullptr && deviceIndex == nullptr) {
        result = MMSYSERR_INVALPARAM;
    } else if (port != nullptr) {
        *deviceIndex = port->index;
    }
    Log().Write("midiInGetID " + HandleText(handle) + Result(result) +
                (port != nullptr && result == 0 ? " index=" + std::to_string(port->index) : ""));
    return result;
}

// A port with buffers still queued refuses to close with
// MIDIERR_STILLPLAYING (learn.microsoft.com: midiInClose function); a dead
// one closes.
extern "C" MMRESULT WINAPI midiInClose(HMIDIIN handle) {
    CountFromScript();
    Port* port = PortOf(handle);
    MMRESULT result = MMSYSERR_INVALHANDLE;
    if (port != nullptr && !port->removed && !port->queued.empty()) {
        result = MIDIERR_STILLPLAYING;
    } else if (port != nullptr && (result = Script().Result(port->index, "CloseResult")) == 0) {
        StopDemoPhrase(port->handle);
        if (!port->closeTold) { // a port tells of its close once
            Notify(*port, MM_MIM_CLOSE, handle);
        }
        *port = Port();
    }
    Log().Write("midiInClose " + HandleText(handle) + Result(result));
    return result;
}

// Not used by the program; exported so that a call would show in the log
// instead of failing to load.
extern "C" MMRESULT WINAPI midiInStop(HMIDIIN handle) {
    Port* port = PortOf(handle);
    if (port != nullptr) {
        port->started = false;
        StopDemoPhrase(port->handle);
    }
    const MMRESULT result = port != nullptr ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
    Log().Write("midiInStop " + HandleText(handle) + Result(result));
    return result;
}

// See FakeDelivery.h. A request for a device that has no live, started
// port is turned into WM_NULL: a dead port delivers nothing.
void TranslateFakeDelivery(MSG* msg) {
    static const UINT shortRequest = RegisterWindowMessageA(kFakeShortMessageRequest);
    static const UINT sysExRequest = RegisterWindowMessageA(kFakeSysExRequest);
    if (msg == nullptr || (msg->message != shortRequest && msg->message != sysExRequest)) {
        return;
    }
    const bool sysEx = msg->message == sysExRequest;
    const unsigned device = static_cast<unsigned>(msg->wParam);
    CountFromScript();
    Port* port = ReceivingPort(device);
    msg->message = WM_NULL;
    if (port == nullptr) {
        Log().Write("deliveryDropped device=" + std::to_string(device));
        return;
    }
    if (!sysEx) {
        msg->hwnd = port->window;
        msg->message = MM_MIM_DATA;
        msg->wParam = static_cast<WPARAM>(port->handle);
        Log().Write("delivered handle=" + Hex(port->handle) + " data=" + Hex(msg->lParam));
        return;
    }
    if (port->queued.empty()) {
        // Windows 11 before its February 2026 update stops all input of a
        // port at a system-exclusive message that finds no buffer
        // (microsoft/MIDI#957).
        port->deaf = true;
        Log().Write("sysExWithoutBuffer handle=" + Hex(port->handle));
        return;
    }
    MIDIHDR* header = port->queued.front();
    port->queued.erase(port->queued.begin());
    const DWORD bytes =
        static_cast<DWORD>(std::min<std::size_t>(sizeof kSysEx, header->dwBufferLength));
    std::memcpy(header->lpData, kSysEx, bytes);
    ReturnBuffer(*port, header, bytes);
}

const std::string& FakeWinmmDirectory() {
    return g_directory;
}

bool DeliverToInput(unsigned device, DWORD message) {
    // The ports belong to the program's thread: the list is not read again
    // from here, and a port closed meanwhile drops the message, as a real
    // one would.
    const Port* port = ReceivingPort(device);
    const HWND window = port != nullptr ? port->window : nullptr;
    const UINT_PTR handle = port != nullptr ? port->handle : 0;
    if (window == nullptr) {
        return false;
    }
    return PostMessageA(window, MM_MIM_DATA, static_cast<WPARAM>(handle), message) != 0;
}
