#include "MidiInEventListenerManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class NamedListener : public CMidiInEventListener {
public:
    NamedListener(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}
    std::function<void()> onNote;

    void OnNoteOn(std::uint32_t, std::uint8_t, std::uint8_t note, std::uint8_t) override {
        m_log.push_back(m_name + ":" + std::to_string(note));
        if (onNote) {
            onNote();
        }
    }
    void OnLongMessage(std::uint32_t a, std::uint32_t, std::uint32_t) override {
        m_log.push_back(m_name + ":long" + std::to_string(a));
    }

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

std::uint32_t NoteOn(int note) { return 0x90u | (static_cast<std::uint32_t>(note) << 8) | (100u << 16); }

using Log = std::vector<std::string>;

} // namespace

TEST(ListenerManager, NotifiesInRegistrationOrder) {
    Log log;
    NamedListener a("a", log), b("b", log), c("c", log);
    CMidiInEventListenerManager manager;
    manager.OnShortMessage(1, NoteOn(60)); // nobody registered: dropped
    manager.AddListener(&a);
    manager.AddListener(&b);
    manager.AddListener(&c);
    manager.OnShortMessage(1, NoteOn(60));
    EXPECT_EQ(log, (Log{"a:60", "b:60", "c:60"}));
}

TEST(ListenerManager, ReAddingMovesToTheEndWithoutDuplicates) {
    Log log;
    NamedListener a("a", log), b("b", log);
    CMidiInEventListenerManager manager;
    manager.AddListener(&a);
    manager.AddListener(&b);
    manager.AddListener(&a);
    manager.OnShortMessage(1, NoteOn(1));
    EXPECT_EQ(log, (Log{"b:1", "a:1"}));
}

TEST(ListenerManager, RemovingUnknownOrRemovedListenersChangesNothing) {
    Log log;
    NamedListener a("a", log), b("b", log);
    CMidiInEventListenerManager manager;
    manager.AddListener(&a);
    manager.RemoveListener(&b);
    manager.RemoveListener(nullptr);
    manager.OnShortMessage(1, NoteOn(2));
    manager.RemoveListener(&a);
    manager.RemoveListener(&a);
    manager.OnShortMessage(1, NoteOn(3));
    EXPECT_EQ(log, (Log{"a:2"}));
}

TEST(ListenerManager, ListenerMayUnregisterItselfWhileNotified) {
    Log log;
    NamedListener a("a", log), b("b", log), c("c", log);
    CMidiInEventListenerManager manager;
    manager.AddListener(&a);
    manager.AddListener(&b);
    manager.AddListener(&c);
    b.onNote = [&] { manager.RemoveListener(&b); };
    manager.OnShortMessage(1, NoteOn(4));
    manager.OnShortMessage(1, NoteOn(5));
    EXPECT_EQ(log, (Log{"a:4", "b:4", "c:4", "a:5", "c:5"}));
}

TEST(ListenerManager, RemovingTheFollowingListenerDuringAWalkIsSafe) {
    Log log;
    NamedListener a("a", log), b("b", log), c("c", log);
    CMidiInEventListenerManager manager;
    manager.AddListener(&a);
    manager.AddListener(&b);
    manager.AddListener(&c);
    a.onNote = [&] { manager.RemoveListener(&b); };
    manager.OnShortMessage(1, NoteOn(6));
    EXPECT_EQ(log, (Log{"a:6", "c:6"}));
}

TEST(ListenerManager, NestedWalksFromAMessageLoopInsideAListener) {
    Log log;
    NamedListener a("a", log), b("b", log);
    CMidiInEventListenerManager manager;
    manager.AddListener(&a);
    manager.AddListener(&b);
    // a's handler runs a nested loop that delivers another message, during
    // which b goes away; the outer walk must not touch b afterwards.
    bool nested = false;
    a.onNote = [&] {
        if (nested) {
            return;
        }
        nested = true;
        manager.OnShortMessage(1, NoteOn(8));
        manager.RemoveListener(&b);
    };
    manager.OnShortMessage(1, NoteOn(7));
    manager.OnShortMessage(1, NoteOn(9));
    EXPECT_EQ(log, (Log{"a:7", "a:8", "b:8", "a:9"}));
    // Re-registering after a removal during a walk works as usual.
    manager.AddListener(&b);
    manager.OnShortMessage(1, NoteOn(10));
    EXPECT_EQ(log.back(), "b:10");
}

TEST(ListenerManager, DisabledManagerForwardsNothing) {
    Log log;
    NamedListener a("a", log);
    CMidiInEventListenerManager manager;
    manager.AddListener(&a);
    manager.OnLongMessage(3, 0, 0);
    manager.SetEnabled(false);
    manager.OnShortMessage(1, NoteOn(10));
    manager.OnLongMessage(4, 0, 0);
    EXPECT_EQ(log, (Log{"a:long3"}));
}

TEST(ListenerManager, OwnEventSlotsAreEmptyDefaults) {
    Log log;
    NamedListener a("a", log);
    CMidiInEventListenerManager manager;
    manager.AddListener(&a);
    manager.OnNoteOn(1, 0, 60, 100);
    EXPECT_TRUE(log.empty());
}
