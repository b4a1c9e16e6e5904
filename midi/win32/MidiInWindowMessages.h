#pragma once
#include "IMidiInCheckScheduler.h"
#include "SuspendResumeRegistration.h"

#include <windows.h>

class CMidiInConnections;

// The MIDI-IN connection's side of the window that receives the port's
// input. WinMM and the system tell that window of the port's data, of the
// port's close, of devices that came or went and of the wake from sleep;
// here those messages are decoded for the connection, and the connection's
// own later checks travel as a posted message and a one-shot timer.
class CMidiInWindowMessages : public IMidiInCheckScheduler {
public:
    // `checkMessage`: a message number of the window's private range that
    // the window uses for nothing else.
    explicit CMidiInWindowMessages(UINT checkMessage);

    // From now on the messages of `window` are decoded for `connection`, and
    // the window hears of the wake from every kind of sleep.
    void Attach(HWND window, CMidiInConnections& connection);
    // No message is decoded any more, the wake from sleep is no longer
    // heard and no check is due; before the window goes.
    void Detach();

    // One message of the window. True when it was handled completely, with
    // *result its result; the port's own messages are passed on and still
    // go on to default processing.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    bool PostCheck() override;
    bool StartRetryDelay() override;

private:
    UINT m_checkMessage;
    HWND m_window = nullptr;
    CMidiInConnections* m_connection = nullptr;
    CSuspendResumeRegistration m_suspendResume;
};
