#pragma once
#include "CurrentLayers.h"
#include "FeedbackLights.h"
#include "MidiInEventListener.h"
#include "MidiOutDeviceList.h"
#include "MidiOutEchoes.h"
#include "MidiOutSender.h"
#include "UserNotice.h"

#include <cstdint>
#include <string>

class CChangeTable;
class CConversionEngine;
class IEngineActions;
class IMidiOutPlatform;

// The lights of the controllers, run for the program's owner: each device
// slot's output opened after its input (the init bytes, then every light),
// the lights kept to the program's state, every light off and the exit
// bytes before a close and at the end. It also stands between the inputs
// and the listeners: an echo of its own messages is not converted, a press
// or release of a lit input repaints its light, and a change of the window
// in front is noticed by the platform's foreground event and, at the
// latest, by the next message.
//
// Messages go out from a worker (CMidiOutSender); the window's thread waits
// for it only while a port closes. What fails is told once in a balloon and
// tried again when the slot's input opens again.
class CControllerLights : public CMidiInEventListener {
public:
    CControllerLights(IMidiOutPlatform& platform, const CChangeTable& table,
                      CConversionEngine& engine, IEngineActions& actions,
                      CMidiInEventListener& listeners, UserNotice notice);
    ~CControllerLights() override;

    CControllerLights(const CControllerLights&) = delete;
    CControllerLights& operator=(const CControllerLights&) = delete;

    // The input of a slot (1..8) is open: its output opens by name.
    void InputOpened(int slot);
    // The input is about to close or to be opened anew: the lights go off
    // and the output closes.
    void InputStopped(int slot);
    // Rules were added, edited or deleted.
    void TableChanged();
    // Something the lights follow may have changed (the converter's switch
    // from the tray, the window in front, the current layer).
    void Refresh();
    // The end: every output's lights off, its exit bytes, closed; waits a
    // bounded time for the worker.
    void End();

    // The inputs' messages, on their way to the listeners.
    void OnShortMessage(std::uint32_t portHandle, std::uint32_t message) override;

    // The output devices present now.
    SMidiOutDevices ListOutputs() const;
    // Whether the slot's output is open.
    bool IsOutputOpen(int slot) const;

private:
    static constexpr int kSlots = CMidiOutSender::kSlots;
    // Echoes after which the user is told once that the output seems to
    // come back into the input.
    static constexpr int kEchoesTold = 3;

    // The engine's current layer, as the lights ask it.
    class CEngineLayers : public ICurrentLayers {
    public:
        explicit CEngineLayers(const CConversionEngine& engine) : m_engine(engine) {}
        bool IsLayerCurrent(int layer) const override;

    private:
        const CConversionEngine& m_engine;
    };

    struct SOutput {
        bool open = false;
        std::string name;
        bool failureTold = false;
        bool bytesTold = false;
    };

    CFeedbackLights::SState State();
    void Send(const CFeedbackLights::Messages& messages);
    void SendBytes(int slot, const std::string& text, const char* what);
    void TakeSendFailures();
    void CountOpenOutputs();
    void TellOnce(SOutput& output, bool SOutput::*told, const std::string& text);

    IMidiOutPlatform& m_platform;
    const CChangeTable& m_table;
    CConversionEngine& m_engine;
    IEngineActions& m_actions;
    CMidiInEventListener& m_listeners;
    UserNotice m_notice;
    CEngineLayers m_engineLayers;
    CFeedbackLights m_lights;
    CMidiOutEchoes m_echoes;
    SOutput m_outputs[kSlots + 1];
    bool m_anyOpen = false;
    bool m_loopTold = false;
    bool m_ended = false;
    bool m_watchingFront = false;
    // What the lights were last computed from.
    bool m_lastEnabled = true;
    std::uint32_t m_lastHoldChanges = 0;
    int m_lastLayer = 1;
    std::uintptr_t m_lastFrontWindow = 0;
    std::string m_frontExePath;
    // Last: its worker uses the ports, which use the platform.
    CMidiOutSender m_sender;
};
