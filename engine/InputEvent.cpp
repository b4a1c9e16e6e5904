#include "InputEvent.h"

#include "ChangeTableItem.h"

InputEvent InputEvent::Of(const CChangeTableItem& probe) {
    InputEvent event;
    event.kind = probe.InputKind;
    event.channel = probe.InputCh;
    event.pcRange = probe.PCRange;
    event.device = probe.InputDevice;
    switch (probe.InputKind) {
    case CChangeTableItem::Note:
        event.number = probe.NoteNumber;
        break;
    case CChangeTableItem::ControlChange:
    case CChangeTableItem::ControlChangeUp:
    case CChangeTableItem::ControlChangeDown:
        event.number = probe.CCNumber;
        break;
    case CChangeTableItem::ProgramChange:
        event.number = probe.PCNumber;
        break;
    default:
        break;
    }
    return event;
}
