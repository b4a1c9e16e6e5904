#pragma once

// How the MIDI-IN connection has a check of the devices run later, on the
// same thread, by the window that receives the port's input: once the
// notices at hand are handled, or after a short delay. When the time comes,
// the window calls CMidiInConnection::RunCheck.
class IMidiInCheckScheduler {
public:
    virtual ~IMidiInCheckScheduler() = default;

    // Asks for the check once the messages already waiting are handled.
    // False when it cannot be asked (a full message queue).
    virtual bool PostCheck() = 0;
    // Starts the one-shot delay after which the check is due; a delay that
    // is running already starts again. False when no timer can be had.
    virtual bool StartRetryDelay() = 0;
};
