#include "MapEditControlStates.h"

#include "ChangeTableItem.h"

MapEditControlStates MapEditControlStatesFor(int inputKind, int outputKind) {
    MapEditControlStates states;
    states.note = inputKind == CChangeTableItem::Note;
    states.controller = inputKind == CChangeTableItem::ControlChange;
    states.program = inputKind == CChangeTableItem::ProgramChange;
    states.key = outputKind == CChangeTableItem::KeyInput;
    // A program change has no release, so its key cannot be held.
    states.keyHold = states.key && inputKind >= CChangeTableItem::Note &&
                     inputKind <= CChangeTableItem::PitchBendPlus;
    states.application = outputKind == CChangeTableItem::ActivateApplication;
    return states;
}
