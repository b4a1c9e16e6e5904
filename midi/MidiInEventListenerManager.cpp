#include "MidiInEventListenerManager.h"

CMidiInEventListenerManager::~CMidiInEventListenerManager() {
    while (m_head != nullptr) {
        Unlink(m_head);
    }
}

CMidiInEventListenerManager::Node*
CMidiInEventListenerManager::Find(CMidiInEventListener* listener) const {
    for (Node* node = m_head; node != nullptr; node = node->next) {
        if (node->listener == listener) {
            return node;
        }
    }
    return nullptr;
}

void CMidiInEventListenerManager::Unlink(Node* node) {
    (node->prev ? node->prev->next : m_head) = node->next;
    (node->next ? node->next->prev : m_tail) = node->prev;
    delete node;
}

void CMidiInEventListenerManager::AddListener(CMidiInEventListener* listener) {
    if (listener == nullptr) {
        return;
    }
    RemoveListener(listener);
    Node* node = new Node{listener, m_tail, nullptr};
    (m_tail ? m_tail->next : m_head) = node;
    m_tail = node;
}

void CMidiInEventListenerManager::RemoveListener(CMidiInEventListener* listener) {
    Node* node = listener ? Find(listener) : nullptr;
    if (node == nullptr) {
        return;
    }
    if (m_walkDepth > 0) {
        node->listener = nullptr;
        m_hasRemoved = true;
    } else {
        Unlink(node);
    }
}

void CMidiInEventListenerManager::PurgeRemoved() {
    for (Node* node = m_head; node != nullptr;) {
        Node* following = node->next;
        if (node->listener == nullptr) {
            Unlink(node);
        }
        node = following;
    }
    m_hasRemoved = false;
}

template <typename Call> void CMidiInEventListenerManager::ForEach(Call call) {
    if (!m_bEnabled) {
        return;
    }
    ++m_walkDepth;
    for (Node* node = m_head; node != nullptr;) {
        Node* following = node->next;
        if (node->listener != nullptr) {
            call(node->listener);
        }
        node = following;
    }
    if (--m_walkDepth == 0 && m_hasRemoved) {
        PurgeRemoved();
    }
}

void CMidiInEventListenerManager::OnShortMessage(std::uint32_t portHandle,
                                                 std::uint32_t message) {
    ForEach([&](CMidiInEventListener* l) { l->OnShortMessage(portHandle, message); });
}

void CMidiInEventListenerManager::OnLongMessage(std::uint32_t a, std::uint32_t b,
                                                std::uint32_t c) {
    ForEach([&](CMidiInEventListener* l) { l->OnLongMessage(a, b, c); });
}
