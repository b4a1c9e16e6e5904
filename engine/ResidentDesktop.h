#pragma once
#include "MidiInDeviceList.h"

#include <cstdint>
#include <functional>
#include <string>

class CMidiInConnections;

// The desktop services of the running program as its owner drives them:
// the tray icon, the system's notices to the window, the worker threads and
// the box that comes when nothing can reach the program any more. One
// Win32 implementation; tests use a recording fake.
class IResidentDesktop {
public:
    virtual ~IResidentDesktop() = default;

    virtual void AddTrayIcon(const std::string& tip) = 0;
    virtual void SetTrayTip(const std::string& tip) = 0;
    virtual void ShowBalloon(const std::string& text, bool warning) = 0;
    // The current layer changed: the on-screen notice names it.
    virtual void ShowLayerNotice(const std::string& /*layerName*/) {}
    // Starts taking the icon away without waiting for the shell; from now
    // on nothing (not even the shell's restart notice) adds it again.
    virtual void BeginRemoveTrayIcon() = 0;
    // Returns once the icon is gone.
    virtual void CompleteTrayIconRemoval() = 0;

    // The foreground hook, the session and the suspend/resume notices, the
    // requests of later copies of the program, and the decoding of the window's MIDI messages for `connection`. Stopped
    // while the window still exists: the session notices must be
    // unregistered before their window goes (WTSUnRegisterSessionNotification
    // documentation).
    virtual void StartNotices(CMidiInConnections& connection) = 0;
    virtual void StopNotices() = 0;
    // The platform's handle of the window that receives the port's input.
    virtual std::uintptr_t InputReceiver() const = 0;

    // Calls `retry` once, on this thread, after about `delayMs`, in whatever
    // loop the thread runs then; replaces a retry not yet made. False when
    // the platform refused the timer.
    virtual bool ScheduleSaveRetry(unsigned delayMs, std::function<void()> retry) = 0;
    // The retry not yet made is not made.
    virtual void CancelSaveRetry() = 0;

    // Waits a bounded time for the threads that start programs.
    virtual void StopWorkers() = 0;
    // The box of the end, owned by the hidden host: shown only when no
    // input, tray click or request of a second copy can reach the program.
    virtual void ShowEndBox(const std::string& text) = 0;
};

// The settings window as its owner sees it.
class IResidentView {
public:
    virtual ~IResidentView() = default;

    virtual void ShowDevices(const MidiInDeviceList& devices, const std::string& chosen) = 0;
    // The table was loaded: one row per rule.
    virtual void ShowRules() = 0;
    // A modal box owned by the window; returns when it is closed.
    virtual void ShowBox(const std::string& text) = 0;
    // Asks for RequestEnd to come again from the window's own queue, once
    // the handler that is running now has returned.
    virtual void AskEndLater() = 0;
    // Closes the windows that live beside the settings window without being
    // modal (the MIDI monitor, the switch notice), while it still exists.
    virtual void CloseToolWindows() = 0;
    // Hides and destroys the window.
    virtual void CloseWindow() = 0;
};
