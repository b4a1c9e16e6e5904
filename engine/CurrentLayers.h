#pragma once

// Which layers of the table are current, as the lights ask it: 0 stands for
// a rule of every layer and is always current, 1..16 for one layer.
class ICurrentLayers {
public:
    virtual ~ICurrentLayers() = default;
    virtual bool IsLayerCurrent(int layer) const = 0;
};
