#include "LatencyProbe.h"

#include "MidiMessages.h"
#include "Stopwatch.h"

#include <windows.h>

long long LatencyProbe::WaitForEvents(std::size_t events, unsigned timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            if (m_recorder.Events().size() >= events) {
                return Stopwatch::Now();
            }
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) {
            return 0;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
    }
}

std::vector<double> LatencyProbe::Measure(int count, std::uint8_t note, unsigned timeoutMs) {
    std::vector<double> samples;
    m_recorder.Clear();
    for (int i = 0; i < count; ++i) {
        const std::size_t before = m_recorder.Events().size();
        const long long posted = Stopwatch::Now();
        if (!m_window.PostMidi(m_port, NoteOn(0, note))) {
            return {};
        }
        const long long keyDown = WaitForEvents(before + 1, timeoutMs);
        // The key-up belongs to the same stroke; the next note starts clean.
        if (keyDown == 0 || WaitForEvents(before + 2, timeoutMs) == 0 ||
            !m_recorder.Events()[before].down) {
            return {};
        }
        samples.push_back(Stopwatch::Between(posted, keyDown));
    }
    return samples;
}
