#pragma once
#include <string>

// Reads the text of a number edit: an optionally signed decimal integer with
// blanks and tabs allowed before and after it. False (value untouched) for
// anything else, including a text without digits. A number beyond the range
// of int is clamped to it, as the C library's strtol does.
bool ParseDialogInteger(const std::string& text, int& value);

// The text a number edit shows for a value.
std::string FormatDialogInteger(int value);
