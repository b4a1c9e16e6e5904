// Finding the configured MIDI-IN device again by itself: after it was
// unplugged and plugged in again (at whatever index), when it appears after
// the start, and after the system woke from sleep. The decisions are the
// reconnector's; here they are carried out and shown in the tray icon.
#include "SettingDlg.h"

#include "WinApp.h"
#include "ChangeTable.h"
#include "MidiInDevice.h"
#include "MidiInStatusTexts.h"
#include "MidiPlatform.h"

#include <dbt.h>
#include <mmsystem.h>

namespace {
// Posted to ourselves, so that a burst of notices leads to one check.
constexpr UINT kMidiInCheckMessage = WM_APP + 16;
constexpr UINT_PTR kMidiInRetryTimer = 0x5351;
// Long enough for a driver that has just appeared or woken to accept an
// open, short enough that the user does not wait for it.
constexpr UINT kMidiInRetryDelayMs = 1000;

bool IsDeviceListChange(WPARAM event) {
    return event == DBT_DEVNODES_CHANGED || event == DBT_DEVICEARRIVAL ||
           event == DBT_DEVICEREMOVECOMPLETE;
}

bool IsResume(WPARAM event) {
    return event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND;
}
} // namespace

bool CSettingDlg::OnMidiInNotice(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    switch (message) {
    case WM_DEVICECHANGE:
        if (IsDeviceListChange(wParam)) {
            ScheduleMidiInCheck(m_reconnector.OnDevicesChanged());
        }
        *result = TRUE;
        return true;
    case WM_POWERBROADCAST:
        if (IsResume(wParam)) {
            ScheduleMidiInCheck(m_reconnector.OnResumed());
        }
        *result = TRUE;
        return true;
    case MM_MIM_CLOSE:
        ScheduleMidiInCheck(m_reconnector.OnPortClosed(static_cast<std::uintptr_t>(wParam)));
        return false; // and on to default processing, as before
    case kMidiInCheckMessage:
        CheckMidiInDevice();
        *result = 0;
        return true;
    case WM_TIMER:
        if (wParam != kMidiInRetryTimer) {
            return false;
        }
        // One shot: it is started again only when a later check asks.
        ::KillTimer(m_hWnd, kMidiInRetryTimer);
        CheckMidiInDevice();
        *result = 0;
        return true;
    default:
        return false;
    }
}

void CSettingDlg::ScheduleMidiInCheck(CMidiInReconnector::When when) {
    switch (when) {
    case CMidiInReconnector::When::Now:
        if (!::PostMessageA(m_hWnd, kMidiInCheckMessage, 0, 0)) {
            // A full queue must not leave the reconnector waiting for a
            // check that never comes.
            CheckMidiInDevice();
        }
        break;
    case CMidiInReconnector::When::Soon:
        if (::SetTimer(m_hWnd, kMidiInRetryTimer, kMidiInRetryDelayMs, nullptr) == 0) {
            CheckMidiInDevice(); // no timer: try now rather than never
        }
        break;
    case CMidiInReconnector::When::Never:
        break;
    }
}

void CSettingDlg::CheckMidiInDevice() {
    const MidiInDeviceList devices = ListMidiInDevices(PlatformMidi());
    const CMidiInReconnector::Status before = m_reconnector.GetStatus();
    const CMidiInReconnector::Plan plan =
        m_reconnector.Check(m_pChangeTable->GetDeviceName(), devices);
    if (plan.close || plan.open) {
        CloseMidiInDevice();
    }
    if (plan.open) {
        // As OpenMidiInDevice opens, without its message box: nobody asked.
        if (m_pMidiInDevice->Open(plan.index, reinterpret_cast<std::uintptr_t>(m_hWnd))) {
            m_reconnector.SetOpened(plan.index, m_pMidiInDevice->Handle());
        } else {
            m_reconnector.SetNotOpened(CMidiInReconnector::Status::Unopenable);
        }
        ResetControllerValues();
    }
    FillDeviceList(devices);
    ShowMidiInStatus(before, true);
    const CMidiInReconnector::When retry = m_reconnector.AfterCheck();
    if (retry == CMidiInReconnector::When::Soon) {
        // Only a timer: a retry that cannot be timed is left out, not run
        // here in a loop.
        ::SetTimer(m_hWnd, kMidiInRetryTimer, kMidiInRetryDelayMs, nullptr);
    }
}

void CSettingDlg::ShowMidiInStatus(CMidiInReconnector::Status before, bool balloon) {
    const std::string name = m_pChangeTable->GetDeviceName();
    const CMidiInReconnector::Status after = m_reconnector.GetStatus();
    const std::string tip = MidiInTrayTip(GetAppName(), after, name);
    if (tip != m_midiInTip) {
        SetTrayTip(tip);
        m_midiInTip = tip;
    }
    if (balloon) {
        if (const auto shown = MidiInStatusBalloon(before, after, name)) {
            ShowBalloon(shown->text, shown->warning);
        }
    }
}
