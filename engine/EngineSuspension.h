#pragma once
#include "ConversionEngine.h"

// Keeps the engine suspended for as long as it lives: around a rule editor,
// around changes to the table.
class CEngineSuspension {
public:
    explicit CEngineSuspension(CConversionEngine& engine) : m_engine(engine) { m_engine.Suspend(); }
    ~CEngineSuspension() { m_engine.Resume(); }

    CEngineSuspension(const CEngineSuspension&) = delete;
    CEngineSuspension& operator=(const CEngineSuspension&) = delete;

private:
    CConversionEngine& m_engine;
};
