#include "MapEditControlStates.h"

#include "ChangeTableItem.h"

MapEditControlStates MapEditControlStatesFor(int inputKind, int outputKind) {
    MapEditControlStates states;
    states.note = inputKind == CChangeTableItem::Note;
    states.controller = inputKind == CChangeTableItem::ControlChange;
    states.program = inputKind == CChangeTableItem::ProgramChange;
    states.key = outputKind == CChangeTableItem::KeyInput;
    states.keyHold = states.key && CChangeTableItem::HasRelease(inputKind);
    states.application = outputKind == CChangeTableItem::ActivateApplication;
    return states;
}
