#pragma once
#include <cstdint>
#include <string>

// Display name of a one-byte virtual-key code. Never empty: codes without a
// name are shown as "[Code:N]", so every code 0..255 has a label and a list
// filled in code order can use the position as the key code.
std::string GetKeyName(std::uint8_t keyCode);
