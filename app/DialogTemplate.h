#pragma once
#include <windows.h>

#include <vector>

// A private copy of a dialog template resource with WS_VISIBLE taken out of
// its style, so that the modal run decides when the dialog first shows
// (and a dialog that ends in its initialisation never shows at all).
class CDialogTemplate {
public:
    // False when the module holds no such dialog template.
    bool Load(HINSTANCE module, UINT templateId);

    const DLGTEMPLATE* Get() const {
        return reinterpret_cast<const DLGTEMPLATE*>(m_data.data());
    }
    // The template asked for a visible window.
    bool WasVisible() const { return m_wasVisible; }

private:
    std::vector<unsigned char> m_data;
    bool m_wasVisible = false;
};
