// Arbitrary packed short messages through the listener manager, the
// listener's decoding and the conversion engine, on a table taken from the
// first bytes of the input; direct ConvertInput calls with arbitrary probes,
// controller resets, suspensions (an open rule editor) and rules added and
// deleted as the settings window does it are mixed in. Each step is
// checked against a plain model of the decoding and of the matching: the
// decoded event and the actions asked for must be exactly the model's.
#include "ChangeTable.h"
#include "ConversionEngine.h"
#include "MidiInEventListenerManager.h"
#include "RecordingEngineActions.h"

#include "ByteReader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

std::string Event(const char* kind, unsigned channel, int a, int b) {
    char text[64];
    std::snprintf(text, sizeof text, "%s ch%u %d %d", kind, channel, a, b);
    return text;
}

// Writes down what the decoding calls, ahead of the engine in the manager.
class DecodedEvents : public CMidiInEventListener {
public:
    void OnNoteOn(std::uint32_t, std::uint8_t channel, std::uint8_t note,
                  std::uint8_t velocity) override {
        log.push_back(Event("on", channel, note, velocity));
    }
    void OnNoteOff(std::uint32_t, std::uint8_t channel, std::uint8_t note) override {
        log.push_back(Event("off", channel, note, 0));
    }
    void OnPitchBend(std::uint32_t, std::uint8_t channel, std::int32_t value) override {
        log.push_back(Event("bend", channel, value, 0));
    }
    void OnControlChange(std::uint32_t, std::uint8_t channel, std::uint8_t controller,
                         std::uint8_t value) override {
        log.push_back(Event("cc", channel, controller, value));
    }
    void OnProgramChange(std::uint32_t, std::uint8_t channel, std::uint8_t program) override {
        log.push_back(Event("pc", channel, program, 0));
    }
    Log log;
};

// The engine's rules written out once more, as plainly as possible.
class EngineModel {
public:
    explicit EngineModel(const CChangeTable& table) : m_table(table) {}

    void ShortMessage(std::uint32_t message, Log& events, Log& actions) {
        const unsigned status = message & 0xFF;
        const unsigned channel = status % 16;
        const int data1 = static_cast<int>((message >> 8) & 0xFF) % 128;
        const int data2 = static_cast<int>((message >> 16) & 0xFF) % 128;
        switch (status / 16) {
        case 0x8:
            events.push_back(Event("off", channel, data1, 0));
            break;
        case 0x9:
            if (data2 == 0) {
                events.push_back(Event("off", channel, data1, 0));
            } else {
                events.push_back(Event("on", channel, data1, data2));
                Convert(Probe(CChangeTableItem::Note, channel, data1), 0, actions);
            }
            break;
        case 0xB:
            events.push_back(Event("cc", channel, data1, data2));
            Convert(Probe(CChangeTableItem::ControlChange, channel, data1), data2, actions);
            lastCC[data1] = data2;
            break;
        case 0xC:
            events.push_back(Event("pc", channel, data1, 0));
            Convert(Probe(CChangeTableItem::ProgramChange, channel, data1), 0, actions);
            break;
        case 0xE: {
            const int bend = data2 * 128 + data1 - 8192;
            events.push_back(Event("bend", channel, bend, 0));
            if (std::abs(lastBend) < 50 && std::abs(bend) >= 50) {
                const int kind =
                    bend < 1 ? CChangeTableItem::PitchBendMinus : CChangeTableItem::PitchBendPlus;
                Convert(Probe(kind, channel, 0), 0, actions);
            }
            lastBend = bend;
            break;
        }
        default:
            break;
        }
    }

    struct Probe {
        Probe(int kind, unsigned channel, int number)
            : kind(kind), channel(static_cast<int>(channel) + 1), number(number) {}
        int kind, channel, number, pcRange = 0;
    };

    void Convert(const Probe& probe, int value, Log& actions) {
        if (editorOpen) {
            return;
        }
        for (int i = 0; i < m_table.GetSize(); ++i) {
            const CChangeTableItem& rule = *m_table.GetAt(i);
            if (!enabled && rule.OutputKind != CChangeTableItem::ToggleEnabled)
                continue;
            if (rule.InputKind != probe.kind)
                continue;
            if (rule.InputCh != 0 && rule.InputCh != probe.channel)
                continue;
            bool match = false;
            switch (rule.InputKind) {
            case CChangeTableItem::Note:
                match = rule.NoteNumber <= probe.number && probe.number <= rule.NoteNumberEnd;
                break;
            case CChangeTableItem::ControlChange:
                match = rule.CCNumber == probe.number &&
                        (!(rule.CCFlag & 1) || (lastCC[rule.CCNumber % 128] == 0 && value != 0));
                break;
            case CChangeTableItem::PitchBendMinus:
            case CChangeTableItem::PitchBendPlus:
                match = true;
                break;
            case CChangeTableItem::ProgramChange:
                match = rule.PCNumber - rule.PCRange == probe.number - probe.pcRange;
                break;
            }
            if (!match)
                continue;
            switch (rule.OutputKind) {
            case CChangeTableItem::KeyInput:
                actions.push_back(KeyAction(rule.KeyCode, rule.KeyFlag));
                break;
            case CChangeTableItem::ActivateApplication:
                if (!rule.GetActExePath().empty()) {
                    actions.push_back(ActivateAction(rule.GetActExePath()));
                }
                break;
            case CChangeTableItem::ToggleEnabled:
                enabled = !enabled;
                actions.push_back(EnabledAction(enabled));
                break;
            }
        }
    }

    bool enabled = true;
    bool editorOpen = false;
    int lastBend = 0;
    int lastCC[128] = {};

private:
    const CChangeTable& m_table;
};

// Rule fields straight from the input. The kinds are folded onto the values
// this model knows plus one unknown so that most rules can fire (the knob
// directions and the mouse have tests of their own); everything else,
// channels above 16 and reversed note ranges included, is taken as it comes.
std::uint8_t KnownOrUnknownInputKind(std::uint8_t choice) {
    return choice <= CChangeTableItem::ProgramChange ? choice : 99;
}

std::uint8_t KnownOrUnknownOutputKind(std::uint8_t choice) {
    return choice <= CChangeTableItem::ToggleEnabled ? choice : 99;
}

CChangeTableItem* RuleFrom(ByteReader& input) {
    auto* rule = new CChangeTableItem;
    rule->InputCh = input.Choice(18);
    rule->InputKind = KnownOrUnknownInputKind(input.Choice(6));
    rule->OutputKind = KnownOrUnknownOutputKind(input.Choice(4));
    rule->NoteNumber = input.Byte();
    rule->NoteNumberEnd = input.Byte();
    rule->CCNumber = input.Byte();
    rule->CCFlag = input.Byte();
    rule->PCNumber = input.Byte();
    rule->PCRange = input.Byte();
    rule->KeyCode = input.Byte();
    rule->KeyFlag = input.Byte();
    rule->SetActExePath(input.String());
    return rule;
}

void Expect(const char* what, const Log& got, const Log& expected) {
    if (got == expected) {
        return;
    }
    std::fprintf(stderr, "%s differ from the model:\n", what);
    for (const std::string& line : got)
        std::fprintf(stderr, "  got:      %s\n", line.c_str());
    for (const std::string& line : expected)
        std::fprintf(stderr, "  expected: %s\n", line.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    ByteReader input(data, size);
    CChangeTable table;
    const int ruleCount = input.Choice(9);
    for (int i = 0; i < ruleCount; ++i) {
        table.InsertAt(table.GetSize(), RuleFrom(input));
    }

    RecordingEngineActions actions;
    CConversionEngine engine(&table, actions);
    DecodedEvents decoded;
    CMidiInEventListenerManager manager;
    manager.AddListener(&decoded);
    manager.AddListener(&engine);
    EngineModel model(table);

    while (!input.AtEnd()) {
        Log expectedEvents, expectedActions;
        const std::uint8_t step = input.Byte();
        if (step < 0xF0) {
            const std::uint32_t message = input.Word();
            model.ShortMessage(message, expectedEvents, expectedActions);
            manager.OnShortMessage(input.Word(), message);
        } else if (step < 0xFC) {
            EngineModel::Probe probe(KnownOrUnknownInputKind(input.Choice(6)), input.Byte(), 0);
            CChangeTableItem item;
            item.InputKind = static_cast<std::uint8_t>(probe.kind);
            item.InputCh = static_cast<std::uint8_t>(probe.channel);
            item.NoteNumber = item.CCNumber = item.PCNumber = input.Byte();
            item.PCRange = input.Byte();
            probe.channel = item.InputCh;
            probe.number = item.NoteNumber;
            probe.pcRange = item.PCRange;
            const std::uint8_t value = input.Byte();
            model.Convert(probe, value, expectedActions);
            engine.ConvertInput(item, value);
        } else if (step < 0xFD) {
            // As when a port opens: controllers from 0 and the wheel at rest.
            engine.ResetControllerValues();
            for (int& value : model.lastCC)
                value = 0;
            model.lastBend = 0;
        } else if (step < 0xFF) {
            // The model reads the table as it is; the engine's index must
            // follow. Added after the editor closed, deleted while suspended.
            if (step == 0xFD || table.GetSize() == 0) {
                table.InsertAt(table.GetSize(), RuleFrom(input));
            } else {
                const int index =
                    input.Choice(static_cast<std::uint8_t>(std::min(table.GetSize(), 255)));
                engine.Suspend();
                delete table.GetAt(index);
                table.RemoveAt(index);
                engine.Resume();
            }
        } else {
            model.editorOpen = !model.editorOpen;
            if (model.editorOpen) {
                engine.Suspend();
            } else {
                engine.Resume();
            }
        }
        Expect("decoded events", decoded.log, expectedEvents);
        Expect("actions", actions.log, expectedActions);
        if (engine.IsEnabled() != model.enabled) {
            std::fprintf(stderr, "the on/off switch differs from the model\n");
            std::abort();
        }
        decoded.log.clear();
        actions.log.clear();
    }
    return 0;
}
