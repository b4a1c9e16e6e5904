#pragma once
#include "ChangeTableItem.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class CChangeTable;
class ICurrentLayers;

// What the lights on the controllers should show, and what has to be sent
// for it. A lit rule (Feedback=1) lights its input on the output of its
// input's device slot, and the light follows the program's state, never
// the pad's own message (a pad sends 0 on its release and would otherwise
// switch its light off):
// - the converter's switch: on while the converter is on;
// - a layer switch to one layer (go to, or while held): on while that layer
//   is current, so the pad of the current bank shows it;
// - a key or mouse rule that holds: on while it holds its key;
// - any other rule: on while it can act now (its own layer current or it
//   is of every layer, its application in front or it has none, the
//   converter on).
// Rules that share a light (one pad, one rule per application) light it
// when any of them is on. Platform-free; the owner sends what it is given.
//
// The lit rules are listed when the table changes; a state change looks at
// that list only, never at the table.
class CFeedbackLights {
public:
    // What the state of the rules depends on.
    struct SState {
        bool enabled = true;
        // The executable of the window in front; empty: none known.
        std::string frontExePath;
        // Whether a rule keeps its key down now.
        std::function<bool(CChangeTableItem::Id)> holds;
    };
    // One message for one output.
    struct SMessage {
        int slot;
        std::uint32_t message; // packed short message
    };
    using Messages = std::vector<SMessage>;

    explicit CFeedbackLights(const ICurrentLayers& layers) : m_layers(layers) {}

    // Lists the lit rules anew; the lights of rules that went are switched
    // off at the next Update.
    void TableChanged(const CChangeTable& table);
    bool HasLitRules() const { return !m_rules.empty(); }
    // Whether some lit rule is limited to an application: only then is the
    // window in front worth asking for.
    bool DependsOnFrontApplication() const { return !m_applications.empty(); }

    // The output of a slot (1..8) opened: every light of the slot, in table
    // order, as the state says.
    void OutputOpened(int slot, const SState& state, Messages& out);
    // The output is about to close: every light of the slot that is known
    // to be lit goes off (unknown ones too: off is the safe end), and the
    // slot's lights are forgotten.
    void OutputClosing(int slot, Messages& out);
    // After any change of the state (the current layer included, which the
    // layers given at the construction answer): only the lights whose value
    // changed, every off before the first on, so that the old state never
    // shows after the new one.
    void Update(const SState& state, Messages& out);
    // A press or release of an input on a slot: when it is a light, its
    // value again, for controllers that repaint their own light on press.
    void Repaint(int slot, std::uint32_t inputMessage, Messages& out) const;

private:
    enum class Kind : std::uint8_t { Toggle, Layer, Hold, CanAct };
    struct SRule {
        CChangeTableItem::Id id;
        Kind kind;
        std::uint8_t device;  // 0: every slot
        std::uint8_t inputCh; // 0: every channel
        std::uint8_t status;  // 0x90 or 0xB0 with the channel
        std::uint8_t first, last;
        std::uint8_t on, off;
        // CanAct: the rule's own layer (0 every layer); Layer: the layer
        // it switches to.
        std::uint8_t layer;
        // Its application in m_applications; kEveryApplication for none.
        int application;
    };
    // A light: one slot, one status byte (kind and channel), one number.
    using LightKey = std::uint32_t;
    static LightKey KeyOf(int slot, std::uint8_t status, std::uint8_t number) {
        return static_cast<LightKey>(slot) << 16 | static_cast<LightKey>(status) << 8 | number;
    }
    struct SLight {
        std::uint8_t value = 0; // what the controller was last sent
    };
    struct SWanted {
        std::uint8_t value;
        bool on;
    };

    static constexpr int kEveryApplication = -1;
    // applicationInFront: per entry of m_applications, whether it is the
    // program in front.
    bool IsOn(const SRule& rule, const SState& state,
              const std::vector<std::uint8_t>& applicationInFront) const;
    // The value every light of the open slots (or of one) should have now;
    // without a state, every light's off.
    std::map<LightKey, SWanted> Wanted(const SState* state, int onlySlot) const;
    void ForgetSlot(int slot);

    const ICurrentLayers& m_layers;
    std::vector<SRule> m_rules;
    // The lit rules of each note (0) and controller (1) number, for the
    // repaint of one input without a walk over the lit rules.
    std::vector<int> m_byInput[2][128];
    // The applications the lit rules are limited to, each once: a change of
    // the program in front compares it with each, not with every rule.
    std::vector<std::string> m_applications;
    static constexpr int kSlots = 8;
    bool m_open[kSlots + 1] = {};
    std::map<LightKey, SLight> m_lights;
};
