#include "ControllerLights.h"

#include "ChangeTable.h"
#include "ConversionEngine.h"
#include "EngineActions.h"
#include "IMidiOutPlatform.h"
#include "MidiOutBytes.h"
#include "MidiOutDeviceList.h"
#include "MidiOutPort.h"
#include "StringUtil.h"

#include <memory>

namespace {
// A reopen must find the old port closed; a hundred lights and a SysEx go
// out well within this.
constexpr int kCloseWaitMs = 500;
} // namespace

CControllerLights::CControllerLights(IMidiOutPlatform& platform, const CChangeTable& table,
                                     CConversionEngine& engine, IEngineActions& actions,
                                     CMidiInEventListener& listeners, UserNotice notice)
    : m_platform(platform), m_table(table), m_engine(engine), m_actions(actions),
      m_listeners(listeners), m_notice(std::move(notice)), m_engineLayers(engine),
      m_lights(m_engineLayers) {}

bool CControllerLights::CEngineLayers::IsLayerCurrent(int layer) const {
    return layer == CChangeTableItem::kEveryLayer || layer == m_engine.CurrentLayer();
}

CControllerLights::~CControllerLights() {
    if (m_watchingFront) {
        m_actions.WatchForeground(nullptr);
    }
    m_sender.Stop(kCloseWaitMs);
}

SMidiOutDevices CControllerLights::ListOutputs() const {
    return ListMidiOutDevices(m_platform);
}

bool CControllerLights::IsOutputOpen(int slot) const {
    return slot >= 1 && slot <= kSlots && m_outputs[slot].open;
}

void CControllerLights::TellOnce(SOutput& output, bool SOutput::*told, const std::string& text) {
    if (!(output.*told)) {
        output.*told = true;
        if (m_notice) {
            m_notice(text, true);
        }
    }
}

CFeedbackLights::SState CControllerLights::State() {
    CFeedbackLights::SState state;
    state.enabled = m_lastEnabled;
    state.frontExePath = m_frontExePath;
    state.holds = [this](CChangeTableItem::Id rule) { return m_engine.HoldsRule(rule); };
    return state;
}

void CControllerLights::Send(const CFeedbackLights::Messages& messages) {
    // Most messages repaint nothing: no clock asked for them.
    if (messages.empty()) {
        return;
    }
    const std::uint64_t now = m_actions.NowMs();
    for (const CFeedbackLights::SMessage& message : messages) {
        if (!IsOutputOpen(message.slot)) {
            continue;
        }
        m_echoes.Sent(message.slot, message.message, now, m_sender.Backlog(message.slot));
        m_sender.SendLight(message.slot, message.message);
    }
}

void CControllerLights::SendBytes(int slot, const std::string& text, const char* what) {
    const auto messages = ParseMidiOutBytes(text);
    if (!messages) {
        TellOnce(m_outputs[slot], &SOutput::bytesTold,
                 Format("MIDI-OUTデバイス[%s]の%sのバイト[%s]を読めないので、送りません。"
                        "16進数2桁ずつ、空白で区切って書いてください。",
                        m_outputs[slot].name.c_str(), what, text.c_str()));
        return;
    }
    const std::uint64_t now = m_actions.NowMs();
    for (const MidiOutMessage& message : *messages) {
        if (message.front() == 0xF0) {
            m_sender.SendLong(slot, message);
        } else {
            const std::uint32_t packed = PackShortMessage(message);
            m_echoes.Sent(slot, packed, now, m_sender.Backlog(slot));
            m_sender.SendShort(slot, packed);
        }
    }
}

void CControllerLights::InputOpened(int slot) {
    if (slot < 1 || slot > kSlots || m_ended) {
        return;
    }
    const CChangeTable::SMidiOut settings = m_table.GetMidiOut(slot);
    InputStopped(slot);
    SOutput& output = m_outputs[slot];
    output.name = settings.device;
    if (settings.device.empty()) {
        return;
    }
    const SMidiInDeviceMatch match =
        FindMidiOutDevice(ListMidiOutDevices(m_platform), settings.device);
    if (!match.index) {
        TellOnce(output, &SOutput::failureTold,
                 Format("MIDI-OUTデバイス[%s]が見つからないので、ライトを送れません。"
                        "入力のデバイスがもう一度見つかったときに探し直します。",
                        settings.device.c_str()));
        return;
    }
    auto port = std::make_unique<CMidiOutPort>(m_platform);
    const unsigned result = port->Open(*match.index);
    if (result != 0) {
        TellOnce(output, &SOutput::failureTold,
                 Format("MIDI-OUTデバイス[%s]を開けません (エラー %u)。"
                        "入力のデバイスがもう一度見つかったときに開き直します。",
                        settings.device.c_str(), result));
        return;
    }
    m_sender.Attach(slot, std::move(port));
    if (!m_watchingFront) {
        // The window in front changes the lights of rules for one program;
        // without such a rule a change costs a look at the switch and holds.
        m_watchingFront = true;
        m_actions.WatchForeground([this] { Refresh(); });
    }
    output.open = true;
    output.failureTold = false;
    m_anyOpen = true;
    SendBytes(slot, settings.initBytes, "初期化");
    // The other outputs catch up first, so that all follow the same state.
    Refresh();
    CFeedbackLights::Messages messages;
    m_lights.OutputOpened(slot, State(), messages);
    Send(messages);
}

void CControllerLights::InputStopped(int slot) {
    if (!IsOutputOpen(slot)) {
        return;
    }
    CFeedbackLights::Messages messages;
    m_lights.OutputClosing(slot, messages);
    Send(messages);
    SendBytes(slot, m_table.GetMidiOut(slot).exitBytes, "終了");
    m_sender.Close(slot, kCloseWaitMs);
    // A port whose device went fails its last sends: nothing to tell, the
    // input's notice says it already.
    unsigned ignored = 0;
    m_sender.TakeFailure(slot, ignored);
    m_outputs[slot].open = false;
    m_echoes.Forget(slot);
    CountOpenOutputs();
}

void CControllerLights::CountOpenOutputs() {
    m_anyOpen = false;
    for (int slot = 1; slot <= kSlots; ++slot) {
        m_anyOpen = m_anyOpen || m_outputs[slot].open;
    }
}

void CControllerLights::TakeSendFailures() {
    if (!m_sender.HasFailures()) {
        return;
    }
    for (int slot = 1; slot <= kSlots; ++slot) {
        unsigned result = 0;
        if (!m_outputs[slot].open || !m_sender.TakeFailure(slot, result)) {
            continue;
        }
        CFeedbackLights::Messages lost;
        m_lights.OutputClosing(slot, lost);
        m_outputs[slot].open = false;
        m_echoes.Forget(slot);
        CountOpenOutputs();
        TellOnce(m_outputs[slot], &SOutput::failureTold,
                 Format(result == IMidiOutPlatform::kNoDriver
                            ? "MIDI-OUTデバイス[%s]が外されたので、ライトを送れません。"
                              "入力のデバイスがもう一度見つかったときに開き直します。"
                            : "MIDI-OUTデバイス[%s]に送れなくなりました。"
                              "入力のデバイスがもう一度見つかったときに開き直します。",
                        m_outputs[slot].name.c_str()));
    }
}

void CControllerLights::TableChanged() {
    m_lights.TableChanged(m_table);
    if (!m_anyOpen) {
        return;
    }
    CFeedbackLights::Messages messages;
    m_lights.Update(State(), messages);
    Send(messages);
    Refresh();
}

void CControllerLights::Refresh() {
    if (!m_anyOpen || m_ended) {
        return;
    }
    TakeSendFailures();
    bool changed = false;
    if (m_engine.IsEnabled() != m_lastEnabled) {
        m_lastEnabled = m_engine.IsEnabled();
        changed = true;
    }
    if (m_engine.HoldChanges() != m_lastHoldChanges) {
        m_lastHoldChanges = m_engine.HoldChanges();
        changed = true;
    }
    if (m_engine.CurrentLayer() != m_lastLayer) {
        m_lastLayer = m_engine.CurrentLayer();
        changed = true;
    }
    if (m_lights.DependsOnFrontApplication()) {
        const std::uintptr_t window = m_actions.ForegroundWindow();
        if (window != m_lastFrontWindow) {
            m_lastFrontWindow = window;
            // Usually the engine has just looked at the same window for
            // the message that brought us here.
            const std::string* known = m_engine.KnownExePath(window);
            const std::string exePath = known != nullptr ? *known
                                        : window != 0    ? m_actions.WindowExePath(window)
                                                         : std::string();
            changed = changed || exePath != m_frontExePath;
            m_frontExePath = exePath;
        }
    }
    if (changed) {
        CFeedbackLights::Messages messages;
        m_lights.Update(State(), messages);
        Send(messages);
    }
}

void CControllerLights::End() {
    m_ended = true;
    if (m_watchingFront) {
        m_watchingFront = false;
        m_actions.WatchForeground(nullptr);
    }
    for (int slot = 1; slot <= kSlots; ++slot) {
        InputStopped(slot);
    }
    m_sender.Stop(kCloseWaitMs);
}

void CControllerLights::OnShortMessage(std::uint32_t portHandle, std::uint32_t message) {
    if (!m_anyOpen) {
        m_listeners.OnShortMessage(portHandle, message);
        return;
    }
    const int slot = m_engine.SlotOfPort(portHandle);
    if (IsOutputOpen(slot) && m_echoes.IsEcho(slot, message, m_actions.NowMs())) {
        // Neither converted nor repainted, which would echo again; only a
        // release of what the input holds goes through.
        const std::uint8_t kind = message & 0xF0;
        const bool release =
            CMidiOutEchoes::IsRelease(message) &&
            (kind != 0xB0 ||
             m_engine.HoldsController(static_cast<std::uint8_t>(slot),
                                      static_cast<std::uint8_t>((message & 0x0F) + 1),
                                      static_cast<std::uint8_t>((message >> 8) & 0x7F)));
        if (release) {
            m_listeners.OnShortMessage(portHandle, message);
        }
        if (m_echoes.EchoCount() >= kEchoesTold && !m_loopTold) {
            m_loopTold = true;
            if (m_notice) {
                m_notice(
                    Format("MIDI-OUTデバイス[%s]に送ったライトのメッセージが、"
                           "入力に戻ってきているようです。戻ってきたメッセージは変換しません。",
                           m_outputs[slot].name.c_str()),
                    true);
            }
        }
        Refresh();
        return;
    }
    m_listeners.OnShortMessage(portHandle, message);
    if (!m_lights.HasLitRules()) {
        return;
    }
    Refresh();
    if (IsOutputOpen(slot)) {
        CFeedbackLights::Messages repaint;
        m_lights.Repaint(slot, message, repaint);
        Send(repaint);
    }
}
