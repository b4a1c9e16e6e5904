#include "MidiOutSender.h"

#include "MidiOutPort.h"
#include "ShortPause.h"

#include <chrono>

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kGap = std::chrono::milliseconds(1);

// The gap is a millisecond, shorter than the plain sleep of Windows keeps
// (its tick is 15.6 ms), so the platform's brief pause waits it out; it is
// only waited within a burst, and at most a millisecond per message.
void WaitUntil(Clock::time_point due) {
    for (Clock::time_point now = Clock::now(); now < due; now = Clock::now()) {
        PauseBriefly(std::chrono::duration_cast<std::chrono::microseconds>(due - now) +
                     std::chrono::microseconds(1));
    }
}

} // namespace

CMidiOutSender::CMidiOutSender()
    : m_shared(std::make_shared<SShared>()), m_worker([shared = m_shared] { Run(*shared); }) {}

CMidiOutSender::~CMidiOutSender() {
    Stop(1000);
}

void CMidiOutSender::Attach(int slot, std::unique_ptr<CMidiOutPort> port) {
    if (slot < 1 || slot > kSlots) {
        return;
    }
    SShared& s = *m_shared;
    std::unique_lock<std::mutex> lock(s.mutex);
    // A port of the slot still open (a close that timed out) goes first.
    std::shared_ptr<CMidiOutPort> old = std::move(s.ports[slot]);
    s.ports[slot] = std::move(port);
    s.failed[slot] = false;
    lock.unlock();
    old.reset();
}

void CMidiOutSender::Enqueue(SItem item, bool replacesLight) {
    if (item.slot < 1 || item.slot > kSlots) {
        return;
    }
    SShared& s = *m_shared;
    {
        const std::lock_guard<std::mutex> lock(s.mutex);
        if (s.stopping) {
            return;
        }
        if (replacesLight) {
            for (auto queued = s.queue.begin(); queued != s.queue.end(); ++queued) {
                if (queued->kind == SItem::Kind::Short && queued->slot == item.slot &&
                    (queued->message & 0xFFFF) == (item.message & 0xFFFF)) {
                    s.queue.erase(queued);
                    --s.backlog[item.slot];
                    break;
                }
            }
        }
        item.ticket = s.nextTicket++;
        ++s.backlog[item.slot];
        s.queue.push_back(std::move(item));
    }
    s.wake.notify_one();
}

void CMidiOutSender::SendShort(int slot, std::uint32_t message) {
    Enqueue({SItem::Kind::Short, slot, message, {}, 0});
}

void CMidiOutSender::SendLight(int slot, std::uint32_t message) {
    Enqueue({SItem::Kind::Short, slot, message, {}, 0}, true);
}

void CMidiOutSender::SendLong(int slot, std::vector<std::uint8_t> bytes) {
    Enqueue({SItem::Kind::Long, slot, 0, std::move(bytes), 0});
}

bool CMidiOutSender::Close(int slot, int timeoutMs) {
    if (slot < 1 || slot > kSlots) {
        return true;
    }
    SShared& s = *m_shared;
    std::unique_lock<std::mutex> lock(s.mutex);
    if (s.stopping) {
        return true;
    }
    const std::uint64_t ticket = s.nextTicket++;
    ++s.backlog[slot];
    s.queue.push_back({SItem::Kind::Close, slot, 0, {}, ticket});
    s.wake.notify_one();
    return s.done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [&] { return s.doneTicket >= ticket; });
}

std::size_t CMidiOutSender::Backlog(int slot) const {
    SShared& s = *m_shared;
    const std::lock_guard<std::mutex> lock(s.mutex);
    return slot >= 1 && slot <= kSlots ? s.backlog[slot] : 0;
}

bool CMidiOutSender::TakeFailure(int slot, unsigned& result) {
    SShared& s = *m_shared;
    const std::lock_guard<std::mutex> lock(s.mutex);
    if (slot < 1 || slot > kSlots || !s.failed[slot]) {
        return false;
    }
    s.failed[slot] = false;
    result = s.failure[slot];
    bool any = false;
    for (const bool failed : s.failed) {
        any = any || failed;
    }
    s.anyFailed.store(any, std::memory_order_release);
    return true;
}

void CMidiOutSender::Stop(int timeoutMs) {
    if (!m_worker.joinable()) {
        return;
    }
    SShared& s = *m_shared;
    bool exited = false;
    {
        std::unique_lock<std::mutex> lock(s.mutex);
        const std::uint64_t last = s.nextTicket - 1;
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        s.done.wait_until(lock, deadline, [&] { return s.doneTicket >= last; });
        s.stopping = true;
        s.queue.clear();
        s.wake.notify_one();
        // The worker ends after the call it is in, if that call returns.
        exited = s.done.wait_until(lock, deadline + std::chrono::milliseconds(100),
                                   [&] { return s.exited; });
    }
    if (!exited) {
        // Stuck in a driver: it keeps the shared state (and its port) alive
        // and ends with the process.
        m_worker.detach();
        return;
    }
    m_worker.join();
    std::shared_ptr<CMidiOutPort> ports[kSlots + 1];
    {
        const std::lock_guard<std::mutex> lock(s.mutex);
        for (int slot = 0; slot <= kSlots; ++slot) {
            ports[slot] = std::move(s.ports[slot]);
        }
    }
    // Closed here, outside the lock.
}

void CMidiOutSender::Run(SShared& s) {
    Clock::time_point lastSent[kSlots + 1] = {};
    std::unique_lock<std::mutex> lock(s.mutex);
    for (;;) {
        s.wake.wait(lock, [&] { return s.stopping || !s.queue.empty(); });
        if (s.stopping) {
            s.exited = true;
            s.done.notify_all();
            return;
        }
        SItem item = std::move(s.queue.front());
        s.queue.pop_front();
        if (item.kind != SItem::Kind::Close) {
            const Clock::time_point due = lastSent[item.slot] + kGap;
            if (Clock::now() < due) {
                lock.unlock();
                WaitUntil(due);
                lock.lock();
            }
        }
        Perform(s, item, lock);
        if (item.kind != SItem::Kind::Close) {
            lastSent[item.slot] = Clock::now();
        }
        --s.backlog[item.slot];
        s.doneTicket = item.ticket;
        s.done.notify_all();
    }
}

// The port is used and closed outside the lock (a SysEx or a close can take
// milliseconds); the window's thread replaces it only under the lock, and a
// port replaced meanwhile is closed by whoever lets go of it last.
void CMidiOutSender::Perform(SShared& s, SItem& item, std::unique_lock<std::mutex>& lock) {
    std::shared_ptr<CMidiOutPort> port = s.ports[item.slot];
    if (item.kind == SItem::Kind::Close) {
        s.ports[item.slot].reset();
    }
    lock.unlock();
    unsigned result = 0;
    if (port != nullptr && item.kind != SItem::Kind::Close) {
        result = item.kind == SItem::Kind::Short ? port->SendShort(item.message)
                                                 : port->SendLong(item.bytes);
    }
    lock.lock();
    const bool failed = result != 0 && s.ports[item.slot] == port;
    if (failed) {
        // The later messages of the slot are dropped until a new port comes.
        s.ports[item.slot].reset();
    }
    if (port != nullptr && port.use_count() == 1) {
        lock.unlock();
        port.reset(); // the last holder: closes it
        lock.lock();
    }
    // Told once closed, so that a reopen of the device is not refused.
    if (failed) {
        s.failed[item.slot] = true;
        s.failure[item.slot] = result;
        s.anyFailed.store(true, std::memory_order_release);
    }
}
