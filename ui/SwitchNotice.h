#pragma once
#include "SwitchNoticePlan.h"

#include <windows.h>

// The small notice near the bottom centre of the monitor with the window in
// front that tells the converter was switched on or off, and fades. It never
// takes the focus or the clicks: a layered pop-up that is not activated, is
// transparent to the mouse and, as a tool window without owner, is in
// neither the task bar nor Alt+Tab. Its text is drawn at the scale of the
// monitor it shows on. One window: a new notice replaces the last.
class CSwitchNotice {
public:
    static constexpr const char* kWindowClass = "SorbelquintaroSwitchNotice";

    CSwitchNotice() = default;
    ~CSwitchNotice();

    CSwitchNotice(const CSwitchNotice&) = delete;
    CSwitchNotice& operator=(const CSwitchNotice&) = delete;

    void SetWanted(bool wanted);
    void OnEnabledChanged(bool enabled);
    void OnLayerChanged(const std::string& layerName);
    // Takes the window away (the end of the program).
    void Close();

private:
    // After the plan said a notice is due.
    void Start();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Create();
    void PlaceAndShow();
    void Fade();
    void Paint();
    void UseFontFor(UINT dpi);

    CSwitchNoticePlan m_plan;
    HWND m_window = nullptr;
    HFONT m_font = nullptr;
    UINT m_fontDpi = 0;
};
