#pragma once
#include <string>

// What the rule editor does with a keyboard message before the dialog's own
// keyboard handling sees it.
enum class KeyCaptureAction {
    PassOn,  // ordinary handling (typing into a number edit, key-up, ...)
    Swallow, // consumed, nothing changes (a modifier pressed alone)
    Capture, // consumed and taken as the key of the rule
};

// `keyDown`: a key-down or system-key-down message. `focusClass`: the class
// name of the window with the keyboard focus (empty when none of ours).
KeyCaptureAction DecideKeyCapture(bool keyDown, const std::string& focusClass, unsigned virtualKey);
