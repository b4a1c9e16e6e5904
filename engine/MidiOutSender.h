#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class CMidiOutPort;

// Sends the lights' messages from a worker thread, so that the window's
// thread never waits on an output: a burst (a program switch that changes
// a hundred lights) goes out in order while MIDI input keeps converting.
// A device gets at most one message per millisecond; many controllers drop
// what comes faster over their USB buffer.
//
// The window's thread opens a port and hands it over; from then on the
// worker owns it and closes it when told, after what was queued before.
class CMidiOutSender {
public:
    static constexpr int kSlots = 8;

    CMidiOutSender();
    // Closes every port after its queue (bounded, see Stop).
    ~CMidiOutSender();

    CMidiOutSender(const CMidiOutSender&) = delete;
    CMidiOutSender& operator=(const CMidiOutSender&) = delete;

    // The open port of a slot (1..8) takes that slot's messages from now on.
    void Attach(int slot, std::unique_ptr<CMidiOutPort> port);
    void SendShort(int slot, std::uint32_t message);
    // A light's new value: one still queued for the same light (status and
    // first data byte) is dropped, so that a flood of presses cannot pile
    // up a backlog; only the last value of a light matters.
    void SendLight(int slot, std::uint32_t message);
    void SendLong(int slot, std::vector<std::uint8_t> bytes);
    // Closes the slot's port once what was queued before has gone out, and
    // waits for it at most `timeoutMs` (a reopen of the same device must
    // find it closed). False when it did not happen in time: the worker
    // closes it later.
    bool Close(int slot, int timeoutMs);
    // Messages of the slot not yet sent.
    std::size_t Backlog(int slot) const;
    // True once after a send to the slot failed; its later messages were
    // dropped and the port closed. `result` is the service's answer.
    bool TakeFailure(int slot, unsigned& result);
    // Whether some slot has a failure to take: one look without the lock,
    // for the window's thread to make at every message.
    bool HasFailures() const { return m_shared->anyFailed.load(std::memory_order_acquire); }
    // Sends what is queued (at most `timeoutMs`), closes every port and
    // ends the worker; a worker that does not end within the time (a driver
    // that hangs) is let go, so that the program can always end.
    void Stop(int timeoutMs);

private:
    struct SItem {
        enum class Kind : std::uint8_t { Short, Long, Close } kind;
        int slot;
        std::uint32_t message;
        std::vector<std::uint8_t> bytes;
        std::uint64_t ticket;
    };
    // What the worker uses, shared with it: a worker stuck in a driver that
    // never returns is let go at the end, and keeps this alive by itself.
    struct SShared {
        std::mutex mutex;
        std::condition_variable wake;
        std::condition_variable done;
        std::deque<SItem> queue;
        // Used by the worker while it sends: a port replaced meanwhile is
        // closed by whoever lets go of it last.
        std::shared_ptr<CMidiOutPort> ports[kSlots + 1];
        std::size_t backlog[kSlots + 1] = {};
        bool failed[kSlots + 1] = {};
        unsigned failure[kSlots + 1] = {};
        std::uint64_t nextTicket = 1;
        std::uint64_t doneTicket = 0;
        bool stopping = false;
        bool exited = false;
        std::atomic<bool> anyFailed{false};
    };
    void Enqueue(SItem item, bool replacesLight = false);
    static void Run(SShared& shared);
    static void Perform(SShared& shared, SItem& item, std::unique_lock<std::mutex>& lock);

    std::shared_ptr<SShared> m_shared;
    std::thread m_worker;
};
