#include "LayerChoices.h"

#include "ChangeTableItem.h"
#include "LayerNames.h"

namespace {

void AddLayers(LayerChoices& choices, const CLayerNames& names, std::uint8_t kept) {
    for (int layer = CLayerNames::kFirstLayer; layer <= CLayerNames::kLayerCount; ++layer) {
        choices.push_back({names.Display(layer), static_cast<std::uint8_t>(layer)});
    }
    if (LayerChoiceIndex(choices, kept) < 0) {
        choices.push_back({names.Display(kept), kept});
    }
}

} // namespace

LayerChoices RuleLayerChoices(const CLayerNames& names, std::uint8_t ruleLayer) {
    LayerChoices choices{{"すべてのレイヤー", CChangeTableItem::kEveryLayer}};
    AddLayers(choices, names, ruleLayer);
    return choices;
}

LayerChoices SwitchTargetChoices(const CLayerNames& names, std::uint8_t target) {
    LayerChoices choices;
    AddLayers(choices, names, target);
    return choices;
}

LayerChoices LayerActionChoices(int inputKind) {
    LayerChoices choices{{"このレイヤーへ切り替える", CChangeTableItem::GoToLayer}};
    if (CChangeTableItem::HasRelease(inputKind)) {
        choices.push_back({"押している間このレイヤー", CChangeTableItem::HoldLayer});
    }
    choices.push_back({"次のレイヤーへ", CChangeTableItem::NextLayer});
    choices.push_back({"前のレイヤーへ", CChangeTableItem::PreviousLayer});
    return choices;
}

int LayerChoiceIndex(const LayerChoices& choices, int value) {
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].value == value) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
