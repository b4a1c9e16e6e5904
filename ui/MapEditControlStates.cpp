#include "MapEditControlStates.h"

#include "ChangeTableItem.h"

MapEditControlStates MapEditControlStatesFor(int inputKind, int outputKind, int mouseAction,
                                             int layerAction, bool lit) {
    MapEditControlStates states;
    states.note = inputKind == CChangeTableItem::Note;
    states.knob = inputKind == CChangeTableItem::ControlChangeUp ||
                  inputKind == CChangeTableItem::ControlChangeDown;
    states.controllerEdge = inputKind == CChangeTableItem::ControlChange;
    states.controller = states.controllerEdge || states.knob;
    states.program = inputKind == CChangeTableItem::ProgramChange;
    states.sequence = outputKind == CChangeTableItem::KeySequence;
    states.text = outputKind == CChangeTableItem::TypeText;
    states.strokeGap = states.sequence || states.text;
    // A sequence's strokes are put together in the key controls.
    states.key = outputKind == CChangeTableItem::KeyInput || states.sequence;
    states.mouse = outputKind == CChangeTableItem::MouseInput;
    states.modifiers = states.key || states.mouse;
    states.keyHold =
        (states.key || (states.mouse && CChangeTableItem::IsMouseButton(mouseAction))) &&
        CChangeTableItem::HasRelease(inputKind) && !states.sequence;
    states.keyRepeat =
        outputKind == CChangeTableItem::KeyInput && CChangeTableItem::HasRelease(inputKind);
    states.application = outputKind == CChangeTableItem::ActivateApplication;
    states.layerAction = outputKind == CChangeTableItem::SwitchLayer;
    states.layerTarget = states.layerAction && (layerAction == CChangeTableItem::GoToLayer ||
                                                layerAction == CChangeTableItem::HoldLayer);
    states.light = CChangeTableItem::CanBeLit(inputKind);
    states.lightValues = states.light && lit;
    return states;
}
