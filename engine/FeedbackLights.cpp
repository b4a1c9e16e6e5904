#include "FeedbackLights.h"

#include "ChangeTable.h"
#include "CurrentLayers.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kControlChange = 0xB0;

std::uint32_t Pack(std::uint8_t status, std::uint8_t number, std::uint8_t value) {
    return static_cast<std::uint32_t>(status) | static_cast<std::uint32_t>(number) << 8 |
           static_cast<std::uint32_t>(value) << 16;
}

} // namespace

void CFeedbackLights::TableChanged(const CChangeTable& table) {
    m_rules.clear();
    for (auto& numbers : m_byInput) {
        for (std::vector<int>& rules : numbers) {
            rules.clear();
        }
    }
    m_applications.clear();
    for (int i = 0; i < table.GetSize(); ++i) {
        const CChangeTableItem* rule = table.GetAt(i);
        if (rule == nullptr || !rule->IsLit()) {
            continue;
        }
        std::uint8_t kind;
        std::uint8_t first;
        std::uint8_t last;
        switch (rule->InputKind) {
        case CChangeTableItem::Note:
            kind = kNoteOn;
            first = rule->NoteNumber & 0x7F;
            last = rule->NoteNumberEnd & 0x7F;
            break;
        case CChangeTableItem::ControlChange:
        case CChangeTableItem::ControlChangeUp:
        case CChangeTableItem::ControlChangeDown:
            kind = kControlChange;
            first = last = rule->CCNumber & 0x7F;
            break;
        default:
            continue; // a bend or a program change has no light
        }
        if (first > last) {
            continue;
        }
        // The light's own channel, else the rule's, else the first.
        const int channel = rule->FeedbackCh >= 1 && rule->FeedbackCh <= 16 ? rule->FeedbackCh
                            : rule->InputCh >= 1 && rule->InputCh <= 16     ? rule->InputCh
                                                                            : 1;
        SRule lit;
        lit.id = rule->GetId();
        // A switch to the next or the previous layer names no layer of its
        // own: it is lit, like any rule, while it can act.
        const bool toOneLayer = rule->OutputKind == CChangeTableItem::SwitchLayer &&
                                (rule->LayerAction == CChangeTableItem::GoToLayer ||
                                 rule->LayerAction == CChangeTableItem::HoldLayer);
        lit.kind = rule->OutputKind == CChangeTableItem::ToggleEnabled ? Kind::Toggle
                   : toOneLayer                                        ? Kind::Layer
                   : rule->HoldsKey()                                  ? Kind::Hold
                                                                       : Kind::CanAct;
        lit.device = rule->InputDevice;
        lit.inputCh = rule->InputCh;
        lit.status = static_cast<std::uint8_t>(kind | (channel - 1));
        lit.first = first;
        lit.last = last;
        lit.on = rule->FeedbackOn & 0x7F;
        lit.off = rule->FeedbackOff & 0x7F;
        lit.layer = toOneLayer ? rule->LayerTarget : rule->Layer;
        lit.application = kEveryApplication;
        if (rule->IsForOneApplication()) {
            const auto known =
                std::find(m_applications.begin(), m_applications.end(), rule->GetForeExePath());
            lit.application = static_cast<int>(known - m_applications.begin());
            if (known == m_applications.end()) {
                m_applications.push_back(rule->GetForeExePath());
            }
        }
        const int index = static_cast<int>(m_rules.size());
        for (int number = first; number <= last; ++number) {
            m_byInput[kind == kNoteOn ? 0 : 1][number].push_back(index);
        }
        m_rules.push_back(std::move(lit));
    }
}

bool CFeedbackLights::IsOn(const SRule& rule, const SState& state,
                           const std::vector<std::uint8_t>& applicationInFront) const {
    switch (rule.kind) {
    case Kind::Toggle:
        return state.enabled;
    case Kind::Layer:
        // The layer stays current while the converter is off; a damaged
        // target of 0 would otherwise read as every layer.
        return rule.layer != CChangeTableItem::kEveryLayer && m_layers.IsLayerCurrent(rule.layer);
    case Kind::Hold:
        return state.enabled && state.holds && state.holds(rule.id);
    case Kind::CanAct:
        return state.enabled && m_layers.IsLayerCurrent(rule.layer) &&
               (rule.application == kEveryApplication ||
                applicationInFront[static_cast<std::size_t>(rule.application)] != 0);
    }
    return false;
}

std::map<CFeedbackLights::LightKey, CFeedbackLights::SWanted>
CFeedbackLights::Wanted(const SState* state, int onlySlot) const {
    std::map<LightKey, SWanted> wanted;
    std::vector<std::uint8_t> applicationInFront(m_applications.size(), 0);
    if (state != nullptr && !state->frontExePath.empty()) {
        for (std::size_t i = 0; i < m_applications.size(); ++i) {
            applicationInFront[i] =
                CChangeTableItem::ForeExePathMatches(m_applications[i], state->frontExePath);
        }
    }
    for (const SRule& rule : m_rules) {
        const bool on = state != nullptr && IsOn(rule, *state, applicationInFront);
        for (int slot = 1; slot <= kSlots; ++slot) {
            if (!m_open[slot] || (onlySlot != 0 && slot != onlySlot) ||
                (rule.device != CChangeTableItem::kAnyDevice && rule.device != slot)) {
                continue;
            }
            for (int number = rule.first; number <= rule.last; ++number) {
                const LightKey key = KeyOf(slot, rule.status, static_cast<std::uint8_t>(number));
                const auto found = wanted.find(key);
                if (found == wanted.end()) {
                    wanted.emplace(key, SWanted{on ? rule.on : rule.off, on});
                } else if (on && !found->second.on) {
                    // The first rule that is on lights it, else the first
                    // rule's off stands.
                    found->second = SWanted{rule.on, true};
                }
            }
        }
    }
    return wanted;
}

void CFeedbackLights::ForgetSlot(int slot) {
    for (auto light = m_lights.begin(); light != m_lights.end();) {
        light = static_cast<int>(light->first >> 16) == slot ? m_lights.erase(light) : ++light;
    }
}

void CFeedbackLights::OutputOpened(int slot, const SState& state, Messages& out) {
    if (slot < 1 || slot > kSlots) {
        return;
    }
    m_open[slot] = true;
    ForgetSlot(slot);
    for (const auto& [key, wanted] : Wanted(&state, slot)) {
        m_lights[key] = {wanted.value};
        out.push_back({slot, Pack(static_cast<std::uint8_t>(key >> 8), key & 0x7F, wanted.value)});
    }
}

void CFeedbackLights::OutputClosing(int slot, Messages& out) {
    if (slot < 1 || slot > kSlots || !m_open[slot]) {
        return;
    }
    // Every light of the slot at its first rule's off value.
    for (const auto& [key, wanted] : Wanted(nullptr, slot)) {
        out.push_back({slot, Pack(static_cast<std::uint8_t>(key >> 8), key & 0x7F, wanted.value)});
    }
    m_open[slot] = false;
    ForgetSlot(slot);
}

void CFeedbackLights::Update(const SState& state, Messages& out) {
    const std::map<LightKey, SWanted> wanted = Wanted(&state, 0);
    Messages ons;
    for (const auto& [key, want] : wanted) {
        const auto light = m_lights.find(key);
        if (light != m_lights.end() && light->second.value == want.value) {
            continue;
        }
        m_lights[key] = {want.value};
        const SMessage message{static_cast<int>(key >> 16),
                               Pack(static_cast<std::uint8_t>(key >> 8), key & 0x7F, want.value)};
        if (want.on) {
            ons.push_back(message);
        } else {
            out.push_back(message);
        }
    }
    // The lights of rules that went (deleted, or no longer lit) go off with
    // 0, every controller's off, unless they were sent 0 already.
    for (auto light = m_lights.begin(); light != m_lights.end();) {
        if (wanted.count(light->first) != 0) {
            ++light;
            continue;
        }
        const LightKey key = light->first;
        if (light->second.value != 0) {
            out.push_back({static_cast<int>(key >> 16),
                           Pack(static_cast<std::uint8_t>(key >> 8), key & 0x7F, 0)});
        }
        light = m_lights.erase(light);
    }
    out.insert(out.end(), ons.begin(), ons.end());
}

void CFeedbackLights::Repaint(int slot, std::uint32_t inputMessage, Messages& out) const {
    if (slot < 1 || slot > kSlots || !m_open[slot]) {
        return;
    }
    const std::uint8_t status = inputMessage & 0xFF;
    const std::uint8_t number = (inputMessage >> 8) & 0x7F;
    const int channel = (status & 0x0F) + 1;
    const std::uint8_t kind = status & 0xF0;
    // A note's release repaints its light too.
    const int input = kind == 0x80 || kind == kNoteOn ? 0 : kind == kControlChange ? 1 : -1;
    if (input < 0) {
        return;
    }
    // The light may be on another channel than the pad: the lights of the
    // rules that take this input.
    std::vector<LightKey> repainted;
    for (const int index : m_byInput[input][number]) {
        const SRule& rule = m_rules[static_cast<std::size_t>(index)];
        if ((rule.device != CChangeTableItem::kAnyDevice && rule.device != slot) ||
            (rule.inputCh != 0 && rule.inputCh != channel)) {
            continue;
        }
        const LightKey key = KeyOf(slot, rule.status, number);
        const auto light = m_lights.find(key);
        if (light != m_lights.end() &&
            std::find(repainted.begin(), repainted.end(), key) == repainted.end()) {
            repainted.push_back(key);
            out.push_back({slot, Pack(rule.status, number, light->second.value)});
        }
    }
}
