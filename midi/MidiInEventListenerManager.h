#pragma once
#include "MidiInEventListener.h"

#include <cstddef>

// Passes every raw message on to the registered listeners, in registration
// order. Owns none of them. A listener may unregister itself (or others)
// while it is being notified.
class CMidiInEventListenerManager : public CMidiInEventListener {
public:
    CMidiInEventListenerManager() = default;
    ~CMidiInEventListenerManager() override;

    CMidiInEventListenerManager(const CMidiInEventListenerManager&) = delete;
    CMidiInEventListenerManager& operator=(const CMidiInEventListenerManager&) = delete;

    void AddListener(CMidiInEventListener* listener);
    void RemoveListener(CMidiInEventListener* listener);

    void OnShortMessage(std::uint32_t portHandle, std::uint32_t message) override;
    void OnLongMessage(std::uint32_t a, std::uint32_t b, std::uint32_t c) override;

    bool IsEnabled() const { return m_bEnabled; }
    void SetEnabled(bool enabled) { m_bEnabled = enabled; }

private:
    // A doubly linked list of nodes we own. The walk takes the next node
    // before calling a listener, and a listener removed during a walk only
    // has its node emptied until the outermost walk ends, so no node the
    // walk still holds is ever freed under it (walks nest when a listener
    // runs a message loop).
    struct Node {
        CMidiInEventListener* listener;
        Node* prev;
        Node* next;
    };
    Node* Find(CMidiInEventListener* listener) const;
    void Unlink(Node* node);
    void PurgeRemoved();

    template <typename Call> void ForEach(Call call);

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    bool m_bEnabled = true;
    int m_walkDepth = 0;
    bool m_hasRemoved = false;
};
