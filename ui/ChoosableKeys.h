#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A key the editor's list offers besides pressing it: keys that are hard to
// press in the editor or that the user's keyboard does not have.
struct ChoosableKey {
    std::uint8_t keyCode;
    std::string text;
};

// In the order the list shows them: the named keys, F1-F24, the media keys,
// the browser keys, the Japanese input keys.
const std::vector<ChoosableKey>& ChoosableKeys();

// The position of `keyCode` in that list, -1 when it is not there.
int ChoosableKeyIndex(int keyCode);
