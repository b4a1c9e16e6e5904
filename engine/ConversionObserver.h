#pragma once
#include <cstdint>

class CChangeTableItem;
struct KeyStrokeEvent;

// Why no rule acted on an event.
enum class EConversionOutcome : std::uint8_t {
    Acted,                // at least one rule acted
    NoMatch,              // no rule takes the event
    Disabled,             // the converter is switched off
    Suspended,            // a rule editor is open or the table is being changed
    OtherApplicationOnly, // only rules limited to a program not in front take it
    OtherLayerOnly,       // only rules of a layer that is not the current one take it
};

// Told what the engine did with each event it converted, for the monitor.
// The engine calls RuleActed once for every rule that acts, in table order,
// and ConversionEnded once at the end of the event. Events the engine does
// not convert (a note-off, the bend wheel inside its dead zone) are not told
// so; a note-off that lets go of held keys tells HeldKeysReleased instead.
class IConversionObserver {
public:
    virtual ~IConversionObserver() = default;
    // index: the rule's 0-based position in the table.
    virtual void RuleActed(int index, const CChangeTableItem& rule) = 0;
    virtual void ConversionEnded(EConversionOutcome outcome) = 0;
    // The releases just sent of keys and buttons that rules held, in the
    // order they went up. A key that another input still holds stays down
    // and is not among them.
    virtual void HeldKeysReleased(const KeyStrokeEvent* releases, int count) = 0;
};
