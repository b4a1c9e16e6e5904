#include "KeyNames.h"

#include "StringUtil.h"

namespace {

// Names follow the Japanese keyboard layout.
struct KeyNameTable {
    const char* names[256] = {};

    KeyNameTable() {
        names[0x08] = "BS";
        names[0x09] = "Tab";
        names[0x0C] = "Clear";
        names[0x0D] = "Enter";
        names[0x10] = "Shift";
        names[0x11] = "Ctrl";
        names[0x12] = "Alt";
        names[0x13] = "Pause";
        names[0x14] = "Caps";
        names[0x15] = "Kana";
        names[0x19] = "Xfer";
        names[0x1B] = "Esc";
        names[0x1D] = "Nfer";
        names[0x20] = "Space";
        names[0x21] = "PageUp";
        names[0x22] = "PageDown";
        names[0x23] = "End";
        names[0x24] = "Home";
        names[0x25] = "←";
        names[0x26] = "↑";
        names[0x27] = "→";
        names[0x28] = "↓";
        names[0x2D] = "Ins";
        names[0x2E] = "Del";
        names[0x2F] = "Help";
        static const char* const digits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
        for (int i = 0; i < 10; ++i) {
            names[0x30 + i] = digits[i];
        }
        static const char* const letters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                              "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                              "S", "T", "U", "V", "W", "X", "Y", "Z"};
        for (int i = 0; i < 26; ++i) {
            names[0x41 + i] = letters[i];
        }
        names[0x5B] = "WinLeft";
        names[0x5C] = "WinRight";
        names[0x5D] = "PopMenu";
        static const char* const numpad[] = {"Num0", "Num1", "Num2", "Num3", "Num4",
                                             "Num5", "Num6", "Num7", "Num8", "Num9"};
        for (int i = 0; i < 10; ++i) {
            names[0x60 + i] = numpad[i];
        }
        names[0x6A] = "Num'*'";
        names[0x6B] = "Num'+'";
        names[0x6C] = "Num','";
        names[0x6D] = "Num'-'";
        names[0x6E] = "Num'.'";
        names[0x6F] = "Num'/'";
        static const char* const functionKeys[] = {
            "F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",  "F9",  "F10", "F11", "F12",
            "F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};
        for (int i = 0; i < 24; ++i) {
            names[0x70 + i] = functionKeys[i];
        }
        // Keys no keyboard of every user has, chosen from the editor's list.
        names[0x1C] = "変換";
        static const char* const browserAndMediaKeys[] = {
            "ブラウザ戻る", "ブラウザ進む",   "ブラウザ更新", "ブラウザ中止", "ブラウザ検索",
            "お気に入り",   "ブラウザホーム", "ミュート",     "音量-",        "音量+",
            "次の曲",       "前の曲",         "停止",         "再生/一時停止"};
        for (int i = 0; i < 14; ++i) {
            names[0xA6 + i] = browserAndMediaKeys[i];
        }
        names[0xF2] = "カタカナ/ひらがな";
        names[0xF3] = "半角/全角";
        names[0x92] = "Num'='";
        names[0xBA] = "':'";
        names[0xBB] = "';'";
        names[0xBC] = "','";
        names[0xBD] = "'-'";
        names[0xBE] = "'.'";
        names[0xBF] = "'/'";
        names[0xC0] = "'@'";
        names[0xDB] = "'['";
        names[0xDC] = "'\\'";
        names[0xDD] = "']'";
        names[0xDE] = "'^'";
        names[0xDF] = "'_'";
        names[0xE2] = "'\\'";
    }
};

const KeyNameTable& Table() {
    static const KeyNameTable table;
    return table;
}

} // namespace

std::string GetKeyName(std::uint8_t keyCode) {
    const char* name = Table().names[keyCode];
    if (name != nullptr && name[0] != '\0') {
        return name;
    }
    return Format("[Code:%d]", keyCode);
}
