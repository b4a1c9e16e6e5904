#pragma once
#include <string>

enum class ActivationOutcome {
    Activated,
    NoWindow,
    // No process that shows a window could be read: whether it runs is
    // unknown.
    Unknown,
};

// Brings the running executable's topmost window that the application
// switcher shows to the front (one on the current virtual desktop before
// any on another), restoring it first when it is minimised. Does nothing for
// an empty path.
ActivationOutcome ActivateApplicationWindow(const std::string& exePath);
