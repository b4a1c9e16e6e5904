#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// The program's resident settings window, driven from outside as the
// platform and the user would drive it.
class SettingsWindow {
public:
    static constexpr const char* kTitlePrefix = "Sorbelquintaro Ver.1.00 ";
    // Commands of the tray menu.
    static constexpr WORD kSettingsCommand = 32771;
    static constexpr WORD kVersionCommand = 32772;
    static constexpr WORD kToggleCommand = 32773;
    static constexpr WORD kExitCommand = IDOK;
    // The message the tray icon reports mouse events with.
    static constexpr UINT kTrayMessage = WM_APP + 1;
    static constexpr UINT kMidiData = 0x3C3; // MM_MIM_DATA

    // Waits for the settings window of the process (visible or not).
    static SettingsWindow WaitFor(DWORD processId, unsigned timeoutMs);

    SettingsWindow() = default;
    explicit SettingsWindow(HWND window) : m_window(window) {}

    bool IsFound() const { return m_window != nullptr; }
    HWND Handle() const { return m_window; }
    std::string Title() const;
    bool IsVisible() const { return IsWindowVisible(m_window) != 0; }
    bool WaitUntilVisible(bool visible, unsigned timeoutMs) const;

    // What a MIDI-IN driver does for one short message of an open port.
    bool PostMidi(std::uintptr_t portHandle, std::uint32_t shortMessage) const;
    // A menu item chosen, as the tray menu delivers it.
    bool PostCommand(WORD id) const;
    // A mouse event on the tray icon.
    bool PostTrayMouse(UINT mouseMessage) const;
    bool PostSysCommand(WPARAM command) const;
    // The platform's notice that devices came or went (DBT_DEVNODES_CHANGED).
    bool PostDeviceChange() const;
    // A power notice, e.g. PBT_APMRESUMEAUTOMATIC after sleep.
    bool PostPowerBroadcast(WPARAM event) const;
    bool PostClose() const;
    // Esc pressed while the window has the keyboard focus.
    bool PressEscape() const;
    // The end of the desktop session, as the platform sends it; waits for
    // the window to handle it.
    bool SendEndSession(bool ending, unsigned timeoutMs) const;

private:
    HWND m_window = nullptr;
};
