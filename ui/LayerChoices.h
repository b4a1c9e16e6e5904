#pragma once
#include <cstdint>
#include <string>
#include <vector>

class CLayerNames;

// The entries of the rule editor's layer lists, each with the number it
// stands for. Platform-free, so that what the lists offer is tested without
// a window.
struct SLayerChoice {
    std::string text;
    std::uint8_t value;
};
using LayerChoices = std::vector<SLayerChoice>;

// The layers a rule may act on: "すべてのレイヤー" (0), then 1..16 by name. A
// hand-edited number beyond is listed as well, so that opening and closing
// the editor keeps it.
LayerChoices RuleLayerChoices(const CLayerNames& names, std::uint8_t ruleLayer);
// The layers a switch may go to: 1..16 by name, and a number beyond the
// rule has, as above.
LayerChoices SwitchTargetChoices(const CLayerNames& names, std::uint8_t target);
// What a switch may do on that input kind: holding a layer only on inputs
// that are let go (note, pedal, bend).
LayerChoices LayerActionChoices(int inputKind);
// The entry that stands for the value, or -1.
int LayerChoiceIndex(const LayerChoices& choices, int value);
