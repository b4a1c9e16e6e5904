// The MIDI-IN entry points of the multimedia library, answering from the
// script and logging every call (see FakeWinmmScript.h and FakeWinmmLog.h).
#define _WINMM_ // defined here, not imported
#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <string>

#include "DemoPlayer.h"
#include "FakeWinmmInput.h"
#include "FakeWinmmLog.h"
#include "FakeWinmmScript.h"
#include "MessageLoopHook.h"
#include "SaveHook.h"
#include "ShellExecuteHook.h"
#include "TrayIconHook.h"

namespace {

constexpr unsigned kMaxDevices = 64;
// Handles are this plus the device index plus 0x100 times the number of
// opens before: readable in the log, and new at every open, as the system's
// are, so that a message of a closed port is told from the reopened one.
constexpr UINT_PTR kHandleBase = 0x1000;
constexpr UINT_PTR kOpenStep = 0x100;

struct Port {
    bool open = false;
    bool started = false;
    HWND window = nullptr;
    UINT_PTR handle = 0;
    std::string name;       // of the device when the port was opened
    bool removed = false;   // the device went while the port was open
    bool closeTold = false; // and the window was told
};

Port g_ports[kMaxDevices];
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

// The device index of an open port's handle, or -1.
int DeviceOf(HMIDIIN handle) {
    const UINT_PTR value = reinterpret_cast<UINT_PTR>(handle);
    if (value < kHandleBase) {
        return -1;
    }
    const int device = static_cast<int>((value - kHandleBase) % kOpenStep);
    if (device >= static_cast<int>(kMaxDevices)) {
        return -1;
    }
    const Port& port = g_ports[device];
    return port.open && port.handle == value ? device : -1;
}

// As a driver does, tell the receiving window about open and close.
void Notify(const Port& port, UINT message, HMIDIIN handle) {
    if (port.window != nullptr) {
        PostMessageA(port.window, message, reinterpret_cast<WPARAM>(handle), 0);
    }
}

// An open port whose device has left the script (or was replaced by another
// at its index) is dead, as on Windows:
// - With Windows MIDI Services the removal only marks the open port
//   invalidated; it refuses everything but its close, and MIM_CLOSE comes
//   only from that close (microsoft/MIDI, WinMM client MidiSrvPorts.cpp).
// - On the classic stack the handle of a pulled USB device just goes silent
//   (melanchall/drywetmidi#170, LMMS/lmms#4253).
// So by default the window is told nothing. A script with
// CloseNoticeOnRemoval=1 posts MM_MIM_CLOSE instead, as some drivers do.
// Either way the handle stays valid until the program closes it.
void MarkRemovedPorts(const FakeWinmmScript& script, unsigned count) {
    for (unsigned device = 0; device < kMaxDevices; ++device) {
        Port& port = g_ports[device];
        if (!port.open || port.removed) {
            continue;
        }
        if (device < count && script.Name(device) == port.name) {
            continue;
        }
        port.removed = true;
        port.started = false;
        const bool told = script.CloseNoticeOnRemoval();
        port.closeTold = told;
        if (told) {
            Notify(port, MM_MIM_CLOSE, reinterpret_cast<HMIDIIN>(port.handle));
        }
        Log().Write("deviceRemoved handle=" + Hex(port.handle) + " told=" + (told ? "1" : "0"));
    }
}

// The script is read again at every call, so a test may change it while the
// program runs.
unsigned CountFromScript() {
    const FakeWinmmScript script = Script();
    const unsigned listed = script.DeviceCount();
    const unsigned count = listed < kMaxDevices ? listed : kMaxDevices;
    MarkRemovedPorts(script, count);
    return count;
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
    if (handle == nullptr) {
        result = MMSYSERR_INVALPARAM;
    } else if (device >= CountFromScript()) {
        result = MMSYSERR_BADDEVICEID;
    } else if (g_ports[device].open) {
        result = MMSYSERR_ALLOCATED;
    } else if ((result = Script().Result(device, "OpenResult")) == 0) {
        Port& port = g_ports[device];
        port.open = true;
        port.started = false;
        port.removed = false;
        port.closeTold = false;
        port.name = Script().Name(device);
        port.window = (flags & CALLBACK_TYPEMASK) == CALLBACK_WINDOW
                          ? reinterpret_cast<HWND>(callback)
                          : nullptr;
        port.handle = kHandleBase + kOpenStep * (g_opens++ % 0x1000) + device;
        *handle = reinterpret_cast<HMIDIIN>(port.handle);
        line += " handle=" + Hex(port.handle);
        Notify(port, MM_MIM_OPEN, *handle);
    }
    Log().Write(line + Result(result));
    return result;
}

extern "C" MMRESULT WINAPI midiInStart(HMIDIIN handle) {
    const int device = DeviceOf(handle);
    MMRESULT result = MMSYSERR_INVALHANDLE;
    if (device >= 0 && g_ports[device].removed) {
        // The dead port refuses (see MarkRemovedPorts); any failure will do,
        // the program tells none apart.
        result = MMSYSERR_NODRIVER;
    } else if (device >= 0 && (result = Script().Result(device, "StartResult")) == 0) {
        g_ports[device].started = true;
        if (Script().Result(device, "Demo") != 0) {
            StartDemoPhrase(g_ports[device].window, g_ports[device].handle,
                            g_directory + "DemoPlay");
        }
    }
    Log().Write("midiInStart handle=" + Hex(reinterpret_cast<UINT_PTR>(handle)) + Result(result));
    return result;
}

extern "C" MMRESULT WINAPI midiInClose(HMIDIIN handle) {
    const int device = DeviceOf(handle);
    MMRESULT result = MMSYSERR_INVALHANDLE;
    if (device >= 0 && (result = Script().Result(device, "CloseResult")) == 0) {
        StopDemoPhrase(reinterpret_cast<UINT_PTR>(handle));
        Port& port = g_ports[device];
        if (!port.closeTold) { // a port tells of its close once
            Notify(port, MM_MIM_CLOSE, handle);
        }
        port = Port();
    }
    Log().Write("midiInClose handle=" + Hex(reinterpret_cast<UINT_PTR>(handle)) + Result(result));
    return result;
}

// Not used by the program; exported so that a call would show in the log
// instead of failing to load.
extern "C" MMRESULT WINAPI midiInStop(HMIDIIN handle) {
    const int device = DeviceOf(handle);
    if (device >= 0) {
        g_ports[device].started = false;
        StopDemoPhrase(reinterpret_cast<UINT_PTR>(handle));
    }
    const MMRESULT result = device >= 0 ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
    Log().Write("midiInStop handle=" + Hex(reinterpret_cast<UINT_PTR>(handle)) + Result(result));
    return result;
}

extern "C" MMRESULT WINAPI midiInReset(HMIDIIN handle) {
    const int device = DeviceOf(handle);
    if (device >= 0) {
        g_ports[device].started = false;
        StopDemoPhrase(reinterpret_cast<UINT_PTR>(handle));
    }
    const MMRESULT result = device >= 0 ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
    Log().Write("midiInReset handle=" + Hex(reinterpret_cast<UINT_PTR>(handle)) + Result(result));
    return result;
}

const std::string& FakeWinmmDirectory() {
    return g_directory;
}

bool DeliverToInput(unsigned device, DWORD message) {
    if (device >= kMaxDevices) {
        return false;
    }
    // The port array belongs to the program's thread: only its plain fields
    // are read, without a lock; a port closed meanwhile drops the message,
    // as a real one would.
    const Port& port = g_ports[device];
    const HWND window = port.window;
    const UINT_PTR handle = port.handle;
    if (!port.open || !port.started || port.removed || window == nullptr) {
        return false;
    }
    return PostMessageA(window, MM_MIM_DATA, static_cast<WPARAM>(handle), message) != 0;
}
