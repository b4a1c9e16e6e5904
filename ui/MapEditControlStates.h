#pragma once

// Which groups of the rule editor's controls can be used for the chosen
// input and output kinds. The channel combo is always usable; the pitch-bend
// kinds and the on/off switch have no controls of their own.
struct MapEditControlStates {
    bool note = false;           // Note# label, both note edits, "～"
    bool controller = false;     // CC# label and edit: plain controllers and knobs
    bool controllerEdge = false; // edge flag: plain controllers only
    bool knob = false;           // the encoding of a knob's values
    bool program = false;        // PC# label and edit, range combo
    bool key = false;            // key combo
    bool modifiers = false;      // Shift, Control, Alt: keys, mouse actions, sequence strokes
    bool mouse = false;          // the mouse action
    bool keyHold = false;        // hold the key or button: inputs that have a release
    bool keyRepeat = false;      // repeat the key: key strokes on inputs that have a release
    bool sequence = false;       // the sequence's list and its buttons
    bool text = false;           // the text to type
    bool strokeGap = false;      // the gap between strokes: sequences and texts
    bool application = false;    // executable name, "選択...", start when not running
    bool layerAction = false;    // what a layer switch does
    bool layerTarget = false;    // the layer it goes to: to go there or to hold it
    bool light = false;          // light the input: inputs a controller can light
    bool lightValues = false;    // the light's on and off values and channel: while lit
};

// `mouseAction`: the one chosen, for whether it can be held.
// `layerAction`: the one chosen, for whether it names a layer.
// `lit`: whether the box to light the input is checked.
MapEditControlStates MapEditControlStatesFor(int inputKind, int outputKind, int mouseAction = -1,
                                             int layerAction = 0, bool lit = false);
