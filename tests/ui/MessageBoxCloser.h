#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Closes the program's message boxes as they appear (a thread timer that the
// boxes' own modal loops dispatch) and records what they showed.
class MessageBoxCloser {
public:
    struct Seen {
        std::string caption;
        std::string text;
        bool hasExclamationIcon = false;
        bool hasOnlyOk = false;
    };

    MessageBoxCloser();
    ~MessageBoxCloser();

    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    const std::vector<Seen>& Boxes() const { return m_seen; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK CheckWindow(HWND hwnd, LPARAM);

    UINT_PTR m_timer = 0;
    std::vector<Seen> m_seen;
};
