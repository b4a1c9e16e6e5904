#pragma once

// Tells, from the values of one controller as they come in while the rule
// editor is open, whether a knob or an encoder is being turned, which way,
// and for an encoder which encoding it most likely sends. A pedal or a
// button (jumps to and from 0) is no knob.
class CKnobCapture {
public:
    struct Guess {
        bool turned = false; // false: take the controller as a plain one
        int inputKind = 0;   // ControlChangeUp or ControlChangeDown
        int ccMode = 0;
    };

    // `currentMode`: the encoding the editor shows now, kept when the value
    // fits it as well, so that a user's choice is not undone.
    Guess OnValue(int controller, int value, int currentMode);

private:
    int m_nController = -1;
    int m_nLastValue = -1;
};
