#pragma once
#include "MidiInWindowMessages.h"
#include "SingleInstance.h"
#include "SwitchNotice.h"
#include "ResidentDesktop.h"
#include "TrayIcon.h"
#include "Win32EngineActions.h"

#include <windows.h>

#include <functional>
#include <utility>

// The running program's desktop on Windows: the tray icon, the key strokes
// and activations, the MIDI messages of the settings window and the
// system's notices to it. The settings window hands it its messages first.
class CWin32ResidentDesktop : public IResidentDesktop {
public:
    CWin32ResidentDesktop();

    CWin32ResidentDesktop(const CWin32ResidentDesktop&) = delete;
    CWin32ResidentDesktop& operator=(const CWin32ResidentDesktop&) = delete;

    // The settings window, before the program starts; `showSettings`
    // brings it to the front when a later copy of the program asks.
    void AttachWindow(HWND window, std::function<void()> showSettings);
    // True for a message of the window that was the desktop's, handled
    // completely with *result its result.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    IEngineActions& Actions() { return m_actions; }
    IMidiInCheckScheduler& MidiInScheduler() { return m_midiInMessages; }
    CTrayIcon& TrayIcon() { return m_trayIcon; }
    // Who is called when the timer of sequences, texts and repeats fires.
    void SetStrokeTimerHandler(std::function<void()> handler) {
        m_actions.SetStrokeTimerHandler(std::move(handler));
    }

    void AddTrayIcon(const std::string& tip) override;
    void SetTrayTip(const std::string& tip) override { m_trayIcon.SetTip(tip); }
    void ShowBalloon(const std::string& text, bool warning) override;
    void ShowLayerNotice(const std::string& layerName) override;
    void BeginRemoveTrayIcon() override { m_trayIcon.BeginRemove(); }
    void CompleteTrayIconRemoval() override { m_trayIcon.Remove(); }
    void StartNotices(CMidiInConnections& connection) override;
    void StopNotices() override;
    std::uintptr_t InputReceiver() const override {
        return reinterpret_cast<std::uintptr_t>(m_window);
    }
    bool ScheduleSaveRetry(unsigned delayMs, std::function<void()> retry) override;
    void CancelSaveRetry() override;
    void StopWorkers() override { m_actions.StopLaunches(); }
    void ShowEndBox(const std::string& text) override;

    // The notice of the converter's switch: shown for every switch, from
    // the tray, the window or a MIDI rule, when wanted.
    void SetNoticeWanted(bool wanted) { m_notice.SetWanted(wanted); }
    void CloseNotice() { m_notice.Close(); }

    // The message the tray icon reports its mouse events with.
    static constexpr UINT kTrayNotifyMessage = WM_APP + 1;

private:
    bool OnSaveRetryTimer();

    HWND m_window = nullptr;
    std::function<void()> m_showSettings;
    std::function<void()> m_saveRetry;
    CFirstCopyWindow m_firstCopy;
    CTrayIcon m_trayIcon;
    CMidiInWindowMessages m_midiInMessages;
    CWin32EngineActions m_actions;
    CSwitchNotice m_notice;
};
