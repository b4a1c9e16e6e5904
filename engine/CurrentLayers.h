#pragma once

// Which layers of the table are current, as the lights ask it. The table
// has its base layer only (0, also stored as 1), which is always current;
// a layer state answers for the others once rules can belong to them.
class ICurrentLayers {
public:
    virtual ~ICurrentLayers() = default;
    virtual bool IsLayerCurrent(int layer) const = 0;
};

// The base layer only.
class CBaseLayerOnly : public ICurrentLayers {
public:
    bool IsLayerCurrent(int layer) const override { return layer == 0 || layer == 1; }
};
