#include "MidiCallTimes.h"

#include "Stopwatch.h"
#include "StringUtil.h"

#include <windows.h>

#include <mmsystem.h>

namespace {
// Receives what an opened port delivers; nobody looks at it.
class MessageOnlyWindow {
public:
    MessageOnlyWindow()
        : m_window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleA(nullptr), nullptr)) {}
    ~MessageOnlyWindow() {
        if (m_window != nullptr) {
            DestroyWindow(m_window);
        }
    }
    MessageOnlyWindow(const MessageOnlyWindow&) = delete;
    MessageOnlyWindow& operator=(const MessageOnlyWindow&) = delete;
    HWND Handle() const { return m_window; }

private:
    HWND m_window;
};
} // namespace

std::vector<TimedCall> TimeMidiInCalls() {
    std::vector<TimedCall> calls;
    const auto timed = [&calls](const std::string& name, auto call) {
        Stopwatch watch;
        const auto result = call();
        calls.push_back({name, watch.ElapsedMs()});
        return result;
    };
    MessageOnlyWindow receiver;
    const UINT count = timed("midiInGetNumDevs", [] { return midiInGetNumDevs(); });
    for (UINT device = 0; device < count; ++device) {
        MIDIINCAPSA caps = {};
        if (timed(Format("midiInGetDevCapsA(%u)", device),
                  [&] { return midiInGetDevCapsA(device, &caps, sizeof caps); }) != 0) {
            continue;
        }
        HMIDIIN port = nullptr;
        if (receiver.Handle() == nullptr ||
            timed(Format("midiInOpen(%u)", device), [&] {
                return midiInOpen(&port, device, reinterpret_cast<DWORD_PTR>(receiver.Handle()), 0,
                                  CALLBACK_WINDOW);
            }) != 0) {
            continue;
        }
        timed(Format("midiInStart(%u)", device), [&] { return midiInStart(port); });
        timed(Format("midiInClose(%u)", device), [&] { return midiInClose(port); });
    }
    return calls;
}
