#pragma once
#include <string>

// The name the program shows for itself (tray tip, titles, message-box
// captions): the executable's file name without its extension, since the
// program gives no name of its own.
std::string AppNameFromModulePath(const std::string& modulePath);
