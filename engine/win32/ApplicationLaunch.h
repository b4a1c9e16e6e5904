#pragma once
#include "MessageOnlyWindow.h"
#include "WorkerThread.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Starts executables for activation rules that start what is not running.
// The shell is asked on a thread of its own: it may take long (an elevation
// prompt waits for the user, a program on a slow disk is read), and the
// window's thread has MIDI input to convert meanwhile. How a start ended is
// told on the window's thread, through a message to a window of the
// launcher's own.
//
// A program counts as starting from the request until the shell is done, and
// then while its process runs without having shown a window, 10 s at most: a
// second note in that time starts no second copy.
class CApplicationLauncher {
public:
    enum Result {
        Started,
        Cancelled, // the user declined the elevation prompt
        Failed,
    };
    // Called on the window's thread when the shell is done with a start.
    using Outcome = std::function<void(const std::string& exePath, Result result)>;

    explicit CApplicationLauncher(Outcome outcome);
    // Stop, if it was not called.
    ~CApplicationLauncher();
    CApplicationLauncher(const CApplicationLauncher&) = delete;
    CApplicationLauncher& operator=(const CApplicationLauncher&) = delete;

    // Opens the executable as the shell does (a program that asks for
    // elevation gets its prompt), in its own folder. Called on the window's
    // thread; false when that program is starting already.
    bool Launch(const std::string& exePath);
    // Waits a moment (1 s in all) for starts under way, then lets them go on
    // their own: a thread inside the shell cannot be called back, and each
    // owns what it uses. Nothing is started or told afterwards.
    void Stop();

private:
    struct Start;

    bool HasWindow();
    bool IsStarting(const std::string& exePath) const;
    // Tells the outcome of every start the shell is done with and forgets
    // the ones that no longer count as starting.
    void TakeEndedStarts();

    Outcome m_outcome;
    // Receives what the start threads post; seen by nobody.
    CMessageOnlyWindow m_window;
    std::vector<std::shared_ptr<Start>> m_starts;
    bool m_stopped = false;
};
