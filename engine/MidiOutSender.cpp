#include "MidiOutSender.h"

#include "MidiOutPort.h"

#include <chrono>

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kGap = std::chrono::milliseconds(1);
// The gap is under a millisecond, which no sleep of Windows keeps: the
// timer ticks every 15.6 ms unless a program asks for more (Sleep
// documentation), and MinGW-w64's thread library returns from a shorter
// wait at once (seen in this program's tests under Wine). So the worker
// yields until the gap is over; it only waits so within a burst, and at
// most a millisecond per message.
void WaitUntil(Clock::time_point due) {
    while (Clock::now() < due) {
        std::this_thread::yield();
    }
}

} // namespace

CMidiOutSender::CMidiOutSender() : m_worker([this] { Run(); }) {}

CMidiOutSender::~CMidiOutSender() {
    Stop(1000);
}

void CMidiOutSender::Attach(int slot, std::unique_ptr<CMidiOutPort> port) {
    if (slot < 1 || slot > kSlots) {
        return;
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    // A port of the slot still open (a close that timed out) goes first.
    std::shared_ptr<CMidiOutPort> old = std::move(m_ports[slot]);
    m_ports[slot] = std::move(port);
    m_failed[slot] = false;
    lock.unlock();
    old.reset();
}

void CMidiOutSender::Enqueue(SItem item, bool replacesLight) {
    if (item.slot < 1 || item.slot > kSlots) {
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_stopping) {
            return;
        }
        if (replacesLight) {
            for (auto queued = m_queue.begin(); queued != m_queue.end(); ++queued) {
                if (queued->kind == SItem::Kind::Short && queued->slot == item.slot &&
                    (queued->message & 0xFFFF) == (item.message & 0xFFFF)) {
                    m_queue.erase(queued);
                    --m_backlog[item.slot];
                    break;
                }
            }
        }
        item.ticket = m_nextTicket++;
        ++m_backlog[item.slot];
        m_queue.push_back(std::move(item));
    }
    m_wake.notify_one();
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
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_stopping) {
        return true;
    }
    const std::uint64_t ticket = m_nextTicket++;
    ++m_backlog[slot];
    m_queue.push_back({SItem::Kind::Close, slot, 0, {}, ticket});
    m_wake.notify_one();
    return m_done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [&] { return m_doneTicket >= ticket; });
}

std::size_t CMidiOutSender::Backlog(int slot) const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return slot >= 1 && slot <= kSlots ? m_backlog[slot] : 0;
}

bool CMidiOutSender::TakeFailure(int slot, unsigned& result) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (slot < 1 || slot > kSlots || !m_failed[slot]) {
        return false;
    }
    m_failed[slot] = false;
    result = m_failure[slot];
    bool any = false;
    for (const bool failed : m_failed) {
        any = any || failed;
    }
    m_anyFailed.store(any, std::memory_order_release);
    return true;
}

void CMidiOutSender::Stop(int timeoutMs) {
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_worker.joinable()) {
            return;
        }
        const std::uint64_t last = m_nextTicket - 1;
        m_done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                        [&] { return m_doneTicket >= last; });
        m_stopping = true;
        m_queue.clear();
    }
    m_wake.notify_one();
    m_worker.join();
    for (auto& port : m_ports) {
        port.reset();
    }
}

void CMidiOutSender::Run() {
    Clock::time_point lastSent[kSlots + 1] = {};
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [&] { return m_stopping || !m_queue.empty(); });
        if (m_stopping) {
            return;
        }
        SItem item = std::move(m_queue.front());
        m_queue.pop_front();
        if (item.kind != SItem::Kind::Close) {
            const Clock::time_point due = lastSent[item.slot] + kGap;
            if (Clock::now() < due) {
                lock.unlock();
                WaitUntil(due);
                lock.lock();
            }
        }
        Perform(item, lock);
        if (item.kind != SItem::Kind::Close) {
            lastSent[item.slot] = Clock::now();
        }
        --m_backlog[item.slot];
        m_doneTicket = item.ticket;
        m_done.notify_all();
    }
}

// The port is used and closed outside the lock (a SysEx or a close can take
// milliseconds); the window's thread replaces it only under the lock, and a
// port replaced meanwhile is closed by whoever lets go of it last.
void CMidiOutSender::Perform(SItem& item, std::unique_lock<std::mutex>& lock) {
    std::shared_ptr<CMidiOutPort> port = m_ports[item.slot];
    if (item.kind == SItem::Kind::Close) {
        m_ports[item.slot].reset();
    }
    lock.unlock();
    unsigned result = 0;
    if (port != nullptr && item.kind != SItem::Kind::Close) {
        result = item.kind == SItem::Kind::Short ? port->SendShort(item.message)
                                                 : port->SendLong(item.bytes);
    }
    lock.lock();
    const bool failed = result != 0 && m_ports[item.slot] == port;
    if (failed) {
        // The later messages of the slot are dropped until a new port comes.
        m_ports[item.slot].reset();
    }
    if (port != nullptr && port.use_count() == 1) {
        lock.unlock();
        port.reset(); // the last holder: closes it
        lock.lock();
    }
    // Told once closed, so that a reopen of the device is not refused.
    if (failed) {
        m_failed[item.slot] = true;
        m_failure[item.slot] = result;
        m_anyFailed.store(true, std::memory_order_release);
    }
}
