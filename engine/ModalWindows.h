#pragma once

// Keeps account of the program's modal windows (the rule editor, the
// version box, the program's message boxes), so that none opens over
// another: a tray command that would open a second one is turned away, and
// an end asked for while one is open waits until it is closed.
class CModalWindows {
public:
    bool IsOpen() const { return m_open != 0; }
    void Opened() { ++m_open; }
    // True when this closed the last one and an end waits for it.
    bool Closed();

    // Asks for the end: true when it may run now; otherwise it is due when
    // the last modal window closes.
    bool AskEnd();
    bool IsEndAsked() const { return m_endAsked; }

private:
    int m_open = 0;
    bool m_endAsked = false;
};
