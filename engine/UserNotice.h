#pragma once
#include <functional>
#include <string>

// Tells the user something that happened during the run without stopping
// them (the tray icon's balloon); `warning` asks for the warning icon.
using UserNotice = std::function<void(const std::string& text, bool warning)>;
