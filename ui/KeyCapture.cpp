#include "KeyCapture.h"

namespace {
constexpr unsigned kShift = 16;
constexpr unsigned kControl = 17;
constexpr unsigned kAlt = 18;
} // namespace

KeyCaptureAction DecideKeyCapture(bool keyDown, const std::string& focusClass,
                                  unsigned virtualKey) {
    // Exactly the class of the number edits, so that digits, Enter and Esc
    // work there as in any dialog.
    if (!keyDown || focusClass == "Edit") {
        return KeyCaptureAction::PassOn;
    }
    if (virtualKey == kShift || virtualKey == kControl || virtualKey == kAlt) {
        return KeyCaptureAction::Swallow;
    }
    return KeyCaptureAction::Capture;
}
