#include "MapEditControlStates.h"

#include "ChangeTableItem.h"

MapEditControlStates MapEditControlStatesFor(int inputKind, int outputKind, int mouseAction) {
    MapEditControlStates states;
    states.note = inputKind == CChangeTableItem::Note;
    states.knob = inputKind == CChangeTableItem::ControlChangeUp ||
                  inputKind == CChangeTableItem::ControlChangeDown;
    states.controllerEdge = inputKind == CChangeTableItem::ControlChange;
    states.controller = states.controllerEdge || states.knob;
    states.program = inputKind == CChangeTableItem::ProgramChange;
    states.key = outputKind == CChangeTableItem::KeyInput;
    states.mouse = outputKind == CChangeTableItem::MouseInput;
    states.modifiers = states.key || states.mouse;
    states.keyHold =
        (states.key || (states.mouse && CChangeTableItem::IsMouseButton(mouseAction))) &&
        CChangeTableItem::HasRelease(inputKind);
    states.application = outputKind == CChangeTableItem::ActivateApplication;
    return states;
}
