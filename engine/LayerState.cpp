#include "LayerState.h"

#include "ChangeTableItem.h"
#include "LayerNames.h"

void CLayerState::Stay(int layer) {
    m_base = layer;
    m_count = 0;
}

void CLayerState::GoTo(int layer) {
    if (CLayerNames::IsLayer(layer)) {
        Stay(layer);
    }
}

void CLayerState::Next(std::uint32_t layersInUse) {
    const int current = Current();
    for (int step = 1; step <= CLayerNames::kLayerCount; ++step) {
        const int layer = (current - 1 + step) % CLayerNames::kLayerCount + 1;
        if (layersInUse & (1u << layer)) {
            Stay(layer);
            return;
        }
    }
}

void CLayerState::Previous(std::uint32_t layersInUse) {
    const int current = Current();
    for (int step = 1; step <= CLayerNames::kLayerCount; ++step) {
        const int layer =
            (current - 1 - step + 2 * CLayerNames::kLayerCount) % CLayerNames::kLayerCount + 1;
        if (layersInUse & (1u << layer)) {
            Stay(layer);
            return;
        }
    }
}

void CLayerState::Hold(const Input& input, int layer) {
    if (!CLayerNames::IsLayer(layer) || m_count == kMaxHolds) {
        return;
    }
    for (int i = 0; i < m_count; ++i) {
        const Input& held = m_holds[i].input;
        if (held.device == input.device && held.kind == input.kind &&
            held.channel == input.channel && held.number == input.number) {
            return;
        }
    }
    m_holds[m_count++] = Record{input, static_cast<std::uint8_t>(layer)};
}

// The order of the holds that stay is kept: the latest of them decides.
template <typename Test> void CLayerState::ReleaseWhere(Test test) {
    int kept = 0;
    for (int i = 0; i < m_count; ++i) {
        if (!test(m_holds[i].input)) {
            m_holds[kept++] = m_holds[i];
        }
    }
    m_count = kept;
}

void CLayerState::ReleaseNote(std::uint8_t device, std::uint8_t channel, std::uint8_t note) {
    ReleaseWhere([&](const Input& input) {
        return input.device == device && input.kind == CChangeTableItem::Note &&
               input.channel == channel && input.number == note;
    });
}

void CLayerState::ReleaseBend(std::uint8_t device) {
    ReleaseWhere([&](const Input& input) {
        return input.device == device && (input.kind == CChangeTableItem::PitchBendMinus ||
                                          input.kind == CChangeTableItem::PitchBendPlus);
    });
}

void CLayerState::ReleaseController(std::uint8_t device, std::uint8_t channel,
                                    std::uint8_t controller, std::uint8_t value) {
    ReleaseWhere([&](const Input& input) {
        return input.device == device && input.kind == CChangeTableItem::ControlChange &&
               input.channel == channel && input.number == controller &&
               (input.edge ? value == 0 : value < 64);
    });
}

void CLayerState::ReleaseDevice(std::uint8_t device) {
    ReleaseWhere([&](const Input& input) { return input.device == device; });
}

bool CLayerState::HoldsController(std::uint8_t device, std::uint8_t channel,
                                  std::uint8_t controller) const {
    for (int i = 0; i < m_count; ++i) {
        const Input& input = m_holds[i].input;
        if (input.device == device && input.kind == CChangeTableItem::ControlChange &&
            input.channel == channel && input.number == controller) {
            return true;
        }
    }
    return false;
}
