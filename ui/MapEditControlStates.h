#pragma once

// Which groups of the rule editor's controls can be used for the chosen
// input and output kinds. The channel combo is always usable; the pitch-bend
// kinds and the on/off switch have no controls of their own.
struct MapEditControlStates {
    bool note = false;        // Note# label, both note edits, "～"
    bool controller = false;  // CC# label and edit, edge flag
    bool program = false;     // PC# label and edit, range combo
    bool key = false;         // key combo, Shift, Control, Alt
    bool keyHold = false;     // hold the key: only inputs that have a release
    bool application = false; // executable name, "選択...", start when not running
};

MapEditControlStates MapEditControlStatesFor(int inputKind, int outputKind);
